#pragma once

class DeviceLink;

// Asks a connected device again for its model name and (or) its firmware version, each
// answer awaited and shown as Search shows it. Search gives each answer a fixed wait,
// and an answer that comes after it is dropped as a late one: a box that answers that
// late is identified only this way. False when another operation runs.
bool AskIdentityAgain(DeviceLink& link, bool modelName, bool firmwareVersion);
