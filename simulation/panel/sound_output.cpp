#include "simulation/panel/sound_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include "simulation/wave_format.h"

namespace zentrix::simulation::panel {

namespace {

// Qt has no 24-bit sample type: widen those samples to 32 bits.
QByteArray widen24(QByteArrayView data) {
    QByteArray out(data.size() / 3 * 4, Qt::Uninitialized);
    char* to = out.data();
    for (qsizetype i = 0; i + 2 < data.size(); i += 3) {
        *to++ = 0;
        *to++ = data[i];
        *to++ = data[i + 1];
        *to++ = data[i + 2];
    }
    return out;
}

QAudioFormat::SampleFormat sampleFormat(WaveFormat::Sample sample) {
    switch (sample) {
        case WaveFormat::Sample::UInt8:
            return QAudioFormat::UInt8;
        case WaveFormat::Sample::Int16:
            return QAudioFormat::Int16;
        case WaveFormat::Sample::Int24:
        case WaveFormat::Sample::Int32:
            return QAudioFormat::Int32;
        case WaveFormat::Sample::Float32:
            return QAudioFormat::Float;
    }
    return QAudioFormat::Int16;
}

}  // namespace

WaveSoundOutput::WaveSoundOutput() = default;

WaveSoundOutput::~WaveSoundOutput() { stop(); }

void WaveSoundOutput::play(const QByteArray& wave) {
    stop();
    const auto format = WaveFormat::parse(wave);
    if (!format || format->DataLength == 0) return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return;

    QAudioFormat audio;
    audio.setSampleRate(format->SampleRate);
    audio.setChannelCount(format->Channels);
    audio.setSampleFormat(sampleFormat(format->SampleType));
    if (!device.isFormatSupported(audio)) return;

    const QByteArrayView data = QByteArrayView(wave).sliced(format->DataOffset, format->DataLength);
    samples_ = format->SampleType == WaveFormat::Sample::Int24 ? widen24(data) : data.toByteArray();
    buffer_ = std::make_unique<QBuffer>(&samples_);
    buffer_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, audio);
    sink_->start(buffer_.get());
    if (sink_->error() != QAudio::NoError) stop();
}

void WaveSoundOutput::stop() {
    if (sink_) sink_->stop();
    sink_.reset();
    buffer_.reset();
    samples_.clear();
}

}  // namespace zentrix::simulation::panel
