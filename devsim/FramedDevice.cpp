#include "FramedDevice.h"

#include <vector>

namespace {
// Block 0 reads, where --noise puts its bytes before the EDID header.
constexpr std::uint16_t kNoisyTypes[] = {0x0105, 0x0206};

bool isNoisy(std::uint16_t type) {
    for (std::uint16_t noisy : kNoisyTypes) {
        if (noisy == type) {
            return true;
        }
    }
    return false;
}
} // namespace

FramedDevice::FramedDevice(DeviceWire& line, DeviceState& state, Faults& faults)
    : line_(line), state_(state), faults_(faults) {}

void FramedDevice::receive(const Bytes& bytes, double now) {
    std::vector<Request> requests;
    parser_.feed(bytes, now, requests);
    for (const Request& request : requests) {
        handle(request, now);
    }
}

void FramedDevice::handle(const Request& request, double now) {
    if (!line_.isOpen()) {
        return;
    }
    if (faults_.dropsLine()) {
        line_.hangUp();
        return;
    }
    if (faults_.silent() || faults_.ignores(request.type(), request.isWrite())) {
        return;
    }
    const double due = now + faults_.delayMs();
    if (faults_.takeFlood()) {
        line_.send(Faults::floodBytes(), due);
        return;
    }
    Bytes bytes = answer(request); // a write is stored here
    if (request.isWrite()) {
        if (faults_.leavesWriteUnanswered(request.type())) {
            return;
        }
        if (faults_.shortWriteAnswers()) {
            bytes.resize(kHeadBytes);
        }
    }
    line_.send(bytes, due);
}

Bytes FramedDevice::answer(const Request& request) {
    Bytes payload;
    if (request.isWrite()) {
        state_.write(request.type(), request.data);
        payload = request.data;
    } else {
        payload = state_.read(request.type(), request.count);
    }
    Bytes bytes;
    if (!request.isWrite() && faults_.noise() > 0 && isNoisy(request.type())) {
        bytes = faults_.noiseBytes();
    } else {
        bytes = {kAck, request.first, request.second};
    }
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}
