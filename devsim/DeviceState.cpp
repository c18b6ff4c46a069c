#include "DeviceState.h"

#include <algorithm>

const DeviceState::Register DeviceState::kRegisters[] = {
    {0x0001, &DeviceState::modelText, nullptr},
    {0x0002, &DeviceState::versionText, nullptr},
    {0x0009, &DeviceState::manufacturerText, nullptr},
    {0x0101, &DeviceState::modeByte, &DeviceState::setMode},
    {0x0105, &DeviceState::selectedBlock0, &DeviceState::setUserBlock0},
    {0x0106, &DeviceState::selectedBlock1, &DeviceState::setUserBlock1},
    {0x0108, &DeviceState::selectionByte, &DeviceState::setSelection},
    {0x0206, &DeviceState::externalBlock0, nullptr},
    {0x0207, &DeviceState::externalBlock1, nullptr},
};

bool DeviceState::load(const DevsimOptions& options, std::string& error) {
    manufacturer_ = options.manufacturer;
    model_ = options.model;
    version_ = options.version;
    mode_ = static_cast<std::uint8_t>(options.mode);
    const std::pair<EdidSlot, const std::string*> files[] = {
        {EdidSlot::Internal, &options.internalFile},
        {EdidSlot::External, &options.externalFile},
        {EdidSlot::User, &options.userFile},
        {EdidSlot::Stored, &options.storedFile},
    };
    for (const auto& [slot, path] : files) {
        Bytes& image = edids_[static_cast<std::size_t>(slot)];
        if (path->empty()) {
            image = builtinEdid(slot);
        } else if (!readPadded(*path, 256, image)) {
            error = "cannot read EDID file " + *path;
            return false;
        }
    }
    return true;
}

Bytes DeviceState::read(std::uint16_t type, std::size_t count) const {
    for (const Register& reg : kRegisters) {
        if (reg.type == type) {
            return (this->*reg.read)(count);
        }
    }
    // A type the device does not know reads as zeros.
    return Bytes(count, 0x00);
}

void DeviceState::write(std::uint16_t type, const Bytes& data) {
    for (const Register& reg : kRegisters) {
        if (reg.type == type && reg.write != nullptr) {
            (this->*reg.write)(data);
        }
    }
}

Bytes DeviceState::text(const std::string& value, std::size_t count) {
    Bytes bytes(count, 0x00);
    std::copy_n(value.begin(), std::min(count, value.size()), bytes.begin());
    return bytes;
}

Bytes DeviceState::modeByte(std::size_t count) const {
    Bytes bytes(count, 0x00);
    if (count > 0) {
        bytes[0] = mode_;
    }
    return bytes;
}

Bytes DeviceState::selectionByte(std::size_t count) const {
    Bytes bytes(count, 0x00);
    if (count > 0) {
        bytes[0] = selection_;
    }
    return bytes;
}

Bytes DeviceState::block(EdidSlot slot, std::size_t blockIndex, std::size_t count) const {
    const Bytes& image = edid(slot);
    Bytes bytes(count, 0x00);
    const auto first = image.begin() + static_cast<std::ptrdiff_t>(blockIndex * 128);
    std::copy_n(first, std::min<std::size_t>(count, 128), bytes.begin());
    return bytes;
}

EdidSlot DeviceState::selectedSlot() const {
    if (selection_ == kSelectUser) {
        return EdidSlot::User;
    }
    if (selection_ == kSelectStored) {
        return EdidSlot::Stored;
    }
    return EdidSlot::Internal;
}

Bytes DeviceState::selectedBlock0(std::size_t count) const {
    return block(selectedSlot(), 0, count);
}

Bytes DeviceState::selectedBlock1(std::size_t count) const {
    return block(selectedSlot(), 1, count);
}

Bytes DeviceState::externalBlock0(std::size_t count) const {
    return block(EdidSlot::External, 0, count);
}

Bytes DeviceState::externalBlock1(std::size_t count) const {
    return block(EdidSlot::External, 1, count);
}

void DeviceState::setMode(const Bytes& data) {
    if (!data.empty()) {
        mode_ = data[0];
    }
}

void DeviceState::setSelection(const Bytes& data) {
    // An unknown selection byte leaves the selection as it was.
    if (!data.empty() &&
        (data[0] == kSelectInternal || data[0] == kSelectUser || data[0] == kSelectStored)) {
        selection_ = data[0];
    }
}

void DeviceState::setUserBlock(std::size_t blockIndex, const Bytes& data) {
    Bytes& image = edids_[static_cast<std::size_t>(EdidSlot::User)];
    std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 128),
                image.begin() + static_cast<std::ptrdiff_t>(blockIndex * 128));
}
