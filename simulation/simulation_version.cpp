#include "simulation/simulation_version.h"

#include <algorithm>

#include "simulation/simulation_layout.h"

namespace zentrix::simulation {

namespace {

struct FeatureIntroduction {
    VersionFeature feature;
    std::uint16_t firstWord;
    const char* name;
};

// What each version adds to the one before. Version words order numerically
// (0x0110 follows 0x0109), so "has" is a comparison.
constexpr FeatureIntroduction kFeatureTable[] = {
    {VersionFeature::PointerSpecs, 0x0102, "pointer zones and embedded pointers"},
    {VersionFeature::PointerTail, 0x0103, "pointers on zones other than pointer zones"},
    {VersionFeature::ModifierKeys, 0x0104, "Ctrl, Alt and Shift requirements"},
    {VersionFeature::LinkedFields, 0x0105, "linked text fields"},
    {VersionFeature::Alternatives, 0x0106, "further accepted answers"},
    {VersionFeature::KeyZones, 0x0106, "key zones"},
    {VersionFeature::AddressFields, 0x0107, "address fields"},
    {VersionFeature::SoundZones, 0x0107, "sounds"},
    {VersionFeature::WideBackColor, 0x0108, "background colours above 0xFFFF"},
    {VersionFeature::OutlineHeader, 0x0109, "ellipses, polygons and coordinates outside 0..65535"},
    {VersionFeature::TimedDelayField, 0x0110, "timed zones with their own target or a free delay"},
};

const FeatureIntroduction& introduction(VersionFeature feature) {
    return *std::find_if(std::begin(kFeatureTable), std::end(kFeatureTable),
                         [feature](const FeatureIntroduction& f) { return f.feature == feature; });
}

}  // namespace

const std::vector<std::uint16_t>& SimulationVersion::allWords() {
    static const std::vector<std::uint16_t> words = {0x0101, 0x0102, 0x0103, 0x0104, 0x0105,
                                                     0x0106, 0x0107, 0x0108, 0x0109, 0x0110};
    return words;
}

std::optional<SimulationVersion> SimulationVersion::fromWord(std::uint16_t word) {
    const auto& words = allWords();
    if (std::find(words.begin(), words.end(), word) == words.end()) return std::nullopt;
    return SimulationVersion(word);
}

std::optional<SimulationVersion> SimulationVersion::fromText(const QString& text) {
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) digits = digits.mid(2);
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || digits.isEmpty() || value > 0xFFFF) return std::nullopt;
    return fromWord(static_cast<std::uint16_t>(value));
}

SimulationVersion SimulationVersion::newest() { return SimulationVersion(allWords().back()); }

QString SimulationVersion::text() const {
    return QStringLiteral("0x%1").arg(word_, 4, 16, QLatin1Char('0'));
}

bool SimulationVersion::has(VersionFeature feature) const {
    return word_ >= introduction(feature).firstWord;
}

std::uint16_t SimulationVersion::firstWordWith(VersionFeature feature) {
    return introduction(feature).firstWord;
}

QString SimulationVersion::featureName(VersionFeature feature) {
    return QString::fromLatin1(introduction(feature).name);
}

std::uint8_t SimulationVersion::zoneFlagsMask() const {
    if (has(VersionFeature::ModifierKeys)) return 0xFF;
    if (has(VersionFeature::PointerTail)) return layout::kZonePointerFlag;
    return 0;
}

int SimulationVersion::zoneHeaderSize() const {
    if (has(VersionFeature::TimedDelayField)) return layout::kDelayedPayloadOffset;
    if (has(VersionFeature::OutlineHeader)) return layout::kOutlinePayloadOffset;
    return layout::kRectZonePayloadOffset;
}

TimedRule SimulationVersion::timedRule() const {
    if (has(VersionFeature::TimedDelayField)) return TimedRule::DelayFieldOwnTarget;
    if (has(VersionFeature::OutlineHeader)) return TimedRule::TargetByteToNextFrame;
    return TimedRule::TargetByteTimesTenToNextFrame;
}

}  // namespace zentrix::simulation
