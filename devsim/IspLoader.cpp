#include "IspLoader.h"

#include <algorithm>
#include <string>

namespace {
const std::string kBanner = "ISP Loader Ready\r\n";
const std::string kKqb707Banner = "KQB707 ISP Loader Ready\r\n";
const std::string kIdentity = "EM-01 ISP Loader 1.0";

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}
} // namespace

const IspLoader::Command IspLoader::kCommands[] = {
    {0x81, 1, &IspLoader::sync},
    {0x87, 1, &IspLoader::identify},
    {0x83, 2, &IspLoader::selectBank},
    {0x84, 3, &IspLoader::setAddress},
    {0x86, 1 + IspLoader::kBlockSize, &IspLoader::writeBlock},
    {0x85, 1, &IspLoader::readBack},
};

IspLoader::IspLoader(DeviceWire& line, Faults& faults, bool announceKqb707)
    : line_(line), faults_(faults),
      streamer_(line, bytesOf(announceKqb707 ? kKqb707Banner : kBanner)),
      memory_(kBanks * kBankSize, 0xFF) {}

void IspLoader::receive(const Bytes& bytes, double now) {
    for (std::uint8_t byte : bytes) {
        lastByte_ = now;
        if (current_ == nullptr) {
            // Between commands anything but a command code is ignored, like the
            // framed requests a program sends while it looks for the device.
            for (const Command& command : kCommands) {
                if (command.code == byte) {
                    current_ = &command;
                }
            }
            if (current_ == nullptr) {
                continue;
            }
            streamer_.setActive(false);
        }
        pending_.push_back(byte);
        if (pending_.size() < current_->length) {
            continue;
        }
        const Command* command = current_;
        current_ = nullptr;
        const Bytes complete = std::move(pending_);
        pending_.clear();
        if (!line_.isOpen()) {
            return;
        }
        if (faults_.dropsLine()) {
            line_.hangUp();
            return;
        }
        (this->*command->run)(complete, now);
    }
}

void IspLoader::tick(double now) {
    if (current_ != nullptr && now >= lastByte_ + kCommandIdleMs) {
        current_ = nullptr;
        pending_.clear();
    }
    if (!streamer_.active() && current_ == nullptr && now >= lastByte_ + kResumeStreamMs) {
        streamer_.setActive(true);
    }
    if (line_.isOpen()) {
        streamer_.tick(now);
    }
}

double IspLoader::nextWakeup() const {
    if (!line_.isOpen()) {
        return kNever;
    }
    if (current_ != nullptr) {
        return lastByte_ + kCommandIdleMs;
    }
    if (!streamer_.active()) {
        return lastByte_ + kResumeStreamMs;
    }
    return streamer_.nextWakeup();
}

void IspLoader::answer(Bytes bytes, double now) {
    if (!faults_.silent()) {
        line_.send(std::move(bytes), now + faults_.delayMs());
    }
}

void IspLoader::sync(const Bytes&, double now) {
    answer({0x81}, now);
}

void IspLoader::identify(const Bytes&, double now) {
    Bytes bytes = {0x87, static_cast<std::uint8_t>(kIdentity.size())};
    bytes.insert(bytes.end(), kIdentity.begin(), kIdentity.end());
    bytes.push_back(0x00);
    answer(std::move(bytes), now);
}

void IspLoader::selectBank(const Bytes& command, double) {
    bank_ = command[1];
}

void IspLoader::setAddress(const Bytes& command, double) {
    address_ = (static_cast<std::size_t>(command[1]) << 8) | command[2];
}

void IspLoader::writeBlock(const Bytes& command, double) {
    if (bank_ >= kBanks) {
        return;
    }
    for (std::size_t i = 0; i < kBlockSize; ++i) {
        memory_[bank_ * kBankSize + (address_ + i) % kBankSize] = command[1 + i];
    }
}

void IspLoader::readBack(const Bytes&, double now) {
    if (faults_.readbackTimeout()) {
        return;
    }
    Bytes bytes(2 + kBlockSize, 0xFF);
    bytes[0] = 0x85;
    bytes[1] = 0x00;
    if (bank_ < kBanks) {
        for (std::size_t i = 0; i < kBlockSize; ++i) {
            bytes[2 + i] = memory_[bank_ * kBankSize + (address_ + i) % kBankSize];
        }
    }
    faults_.corruptReadback(bytes.data() + 2, kBlockSize);
    answer(std::move(bytes), now);
}
