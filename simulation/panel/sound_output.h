#pragma once

#include <QByteArray>
#include <memory>

class QAudioSink;
class QBuffer;

namespace zentrix::simulation::panel {

// Plays WAVE files held in memory without waiting for them. A new sound
// replaces the one playing.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual void play(const QByteArray& wave) = 0;
    virtual void stop() = 0;
};

// Plays through the default audio output with Qt Multimedia. A machine without
// an audio device, a sound it cannot play or a damaged WAVE file give no
// sound and no error.
class WaveSoundOutput : public SoundOutput {
public:
    WaveSoundOutput();
    ~WaveSoundOutput() override;
    void play(const QByteArray& wave) override;
    void stop() override;

    // Whether the last play() found something to play and a device to play it on.
    bool playing() const { return sink_ != nullptr; }

private:
    std::unique_ptr<QAudioSink> sink_;
    std::unique_ptr<QBuffer> buffer_;
    QByteArray samples_;
};

}  // namespace zentrix::simulation::panel
