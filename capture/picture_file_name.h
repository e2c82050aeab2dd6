// The screenshot's file name, built from the capture moment's US short date
// and long time: "YYYY MM DD   HH MM SS.png".
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

extern std::string PictureDate;      // the capture moment's short date (M/D/YY)
extern std::string PictureTime;      // its long time (h:mm:ss AM)
extern std::string PictureFileName;  // the name built from the two

// Reads PictureDate and PictureTime, sets PictureFileName.
void MakePictureFileName();

void InitPictureFileName();
void InitPictureDate();
void InitPictureTime();
void ReleasePictureFileName();
void ReleasePictureDate();
void ReleasePictureTime();

}  // namespace quorrel
