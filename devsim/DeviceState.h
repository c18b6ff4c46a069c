#pragma once
#include "BinaryFile.h"
#include "BuiltinEdids.h"
#include "Options.h"

#include <array>
#include <cstdint>
#include <string>

// What the EDID device holds: its identity texts, the presented EDID, the selection
// that block reads follow and the four EDIDs. Reads and writes go by request type.
class DeviceState {
public:
    // Selection bytes of Api_Edid_Select.
    static constexpr std::uint8_t kSelectInternal = 0xFF;
    static constexpr std::uint8_t kSelectUser = 0x00;
    static constexpr std::uint8_t kSelectStored = 0x55;

    // Takes texts, mode and EDID files from the options; false with `error` set when
    // an EDID file cannot be read.
    bool load(const DevsimOptions& options, std::string& error);

    // The payload of a read: exactly `count` bytes (texts are cut or padded with zeros).
    Bytes read(std::uint16_t type, std::size_t count) const;
    // Stores a write's data where the type says; a type without storage keeps nothing.
    void write(std::uint16_t type, const Bytes& data);

    const Bytes& edid(EdidSlot slot) const { return edids_[static_cast<std::size_t>(slot)]; }
    std::uint8_t mode() const { return mode_; }
    std::uint8_t selection() const { return selection_; }

private:
    struct Register {
        std::uint16_t type;
        Bytes (DeviceState::*read)(std::size_t count) const;
        void (DeviceState::*write)(const Bytes& data);
    };
    static const Register kRegisters[];

    Bytes manufacturerText(std::size_t count) const { return text(manufacturer_, count); }
    Bytes modelText(std::size_t count) const { return text(model_, count); }
    Bytes versionText(std::size_t count) const { return text(version_, count); }
    Bytes modeByte(std::size_t count) const;
    Bytes selectionByte(std::size_t count) const;
    Bytes selectedBlock0(std::size_t count) const;
    Bytes selectedBlock1(std::size_t count) const;
    Bytes externalBlock0(std::size_t count) const;
    Bytes externalBlock1(std::size_t count) const;

    void setMode(const Bytes& data);
    void setSelection(const Bytes& data);
    void setUserBlock0(const Bytes& data) { setUserBlock(0, data); }
    void setUserBlock1(const Bytes& data) { setUserBlock(1, data); }
    void setUserBlock(std::size_t block, const Bytes& data);

    static Bytes text(const std::string& value, std::size_t count);
    Bytes block(EdidSlot slot, std::size_t block, std::size_t count) const;
    EdidSlot selectedSlot() const;

    std::string manufacturer_;
    std::string model_;
    std::string version_;
    std::uint8_t mode_ = 0;
    std::uint8_t selection_ = kSelectInternal;
    std::array<Bytes, 4> edids_;
};
