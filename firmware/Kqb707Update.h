#pragma once
#include <string>

class DeviceLink;
class Reporter;

// The update for the loader that announces itself with "KQB707". Its command set is not
// known, so after the common preparation (receive timer off, a black "0%", the image read
// in 128-byte chunks with their checksums) it stops at once with "Loader Not Supported."
// and a red "Update Fw Failed.", sending nothing and never waiting.
void updateKqb707(DeviceLink& link, Reporter& reporter, const std::string& path);
