#include "CreatedEdid.h"

#include "CreatorBuilder.h"
#include "CreatorLoader.h"

void CreatedEdid::startBrandNew(const QDate& today) {
    StartBrandNew(model_, CreatorSettings, today);
}

bool CreatedEdid::load(const EdidImage& image, const QDate& today) {
    CreatorSettings.Image = image;
    StartFromFile(model_, CreatorSettings, today);
    return (CreatorSettings.Status & EdidStatus::ValidationMask) == 0;
}

EncodeResult CreatedEdid::build() {
    return ReadBackCreator(model_, CreatorSettings);
}
