#include "RecordingLinkView.h"

void RecordingLinkView::setDeviceControlsEnabled(bool enabled) {
    deviceControlsEnabled = enabled;
    disconnectEnabled = enabled;
}
