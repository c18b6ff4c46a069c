#pragma once
#include <EdidImage.h>

// The template that "Brand New" starts from: a valid two-block EDID.
extern const EdidImage BrandNewEdid;
