#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace zentrix::simulation {

// What a version of the simulation file can carry. Each feature arrives in one
// version and stays in every later one.
enum class VersionFeature {
    PointerSpecs,     // type 7 zones with pointer spec, codes 22 and 23
    PointerTail,      // zone flags byte read; bit 0 adds a pointer spec to other types
    ModifierKeys,     // zone flag bits 2 to 4: Ctrl, Alt, Shift must be held
    LinkedFields,     // text bit 0x80000
    Alternatives,     // text bit 0x400000
    KeyZones,         // type 13 with its key byte
    AddressFields,    // type 14 with text payload, font forced to "Courier New"
    SoundZones,       // type 15 with WAVE payload
    WideBackColor,    // background colour in 4 bytes instead of 2
    OutlineHeader,    // 30-point outline, shape and point count; timed delay unscaled
    TimedDelayField,  // 4-byte delay at 248, payload at 252, timed zones keep their target
};

// How a timed zone (type 6) takes its delay and target from the zone header.
enum class TimedRule {
    TargetByteTimesTenToNextFrame,
    TargetByteToNextFrame,
    DelayFieldOwnTarget,
};

// A version word of the simulation file, known to be one of the ten we read.
class SimulationVersion {
public:
    // The ten version words in file order: 0x0101 .. 0x0109, 0x0110.
    static const std::vector<std::uint16_t>& allWords();
    static std::optional<SimulationVersion> fromWord(std::uint16_t word);
    // Parses "0x0107" or "0107" (hexadecimal).
    static std::optional<SimulationVersion> fromText(const QString& text);
    static SimulationVersion newest();

    std::uint16_t word() const { return word_; }
    QString text() const;  // "0x0107"

    bool has(VersionFeature feature) const;
    static std::uint16_t firstWordWith(VersionFeature feature);
    static QString featureName(VersionFeature feature);

    // Zone flag bits this version stores in ZoneFlags.
    std::uint8_t zoneFlagsMask() const;
    int zoneHeaderSize() const;  // bytes before the type payload
    TimedRule timedRule() const;
    int backColorSize() const { return has(VersionFeature::WideBackColor) ? 4 : 2; }

    bool operator==(const SimulationVersion&) const = default;

private:
    explicit SimulationVersion(std::uint16_t word) : word_(word) {}
    std::uint16_t word_;
};

}  // namespace zentrix::simulation
