// Turns the capture moment's date and time texts into the file name, by
// character positions of the US forms.
#include "capture/picture_file_name.h"

#include "program_kit/module_global.h"

namespace quorrel {

std::string PictureDate;
std::string PictureTime;
std::string PictureFileName;

void MakePictureFileName() {
    std::string d = PictureDate;
    std::string t = PictureTime;

    std::string year = "20" + StringDBCSRight(d, 2);
    if (StringDBCSMid3(d, 2, 1) == "/") d = "0" + d;  // one-digit month
    std::string month = StringDBCSLeft(d, 2);
    if (StringDBCSMid3(d, 5, 1) == "/") d = StringDBCSLeft(d, 3) + "0" + StringDBCSRight(d, 4);  // one-digit day
    std::string day = StringDBCSMid3(d, 4, 2);

    std::string marker = StringDBCSRight(t, 2);
    if (StringDBCSMid3(t, 2, 1) == ":") t = "0" + t;  // one-digit hour
    std::string hour = StringDBCSLeft(t, 2);
    if (RuntimeStringCompare(hour, "12") == 0) hour = "00";
    if (RuntimeStringCompare(marker, "PM") == 0) hour = StringStrInt32(RuntimeCvtReal64ToSInt32(StringVal(hour) + 12));
    if (StringDBCSMid3(t, 5, 1) == ":") t = StringDBCSLeft(t, 3) + "0" + StringDBCSMid2(t, 4);  // one-digit minute
    std::string minute = StringDBCSMid3(t, 4, 2);
    std::string second = StringDBCSMid3(t, StringDBCSLen(t) - 4, 2);
    if (StringDBCSLeft(second, 1) == ":") second = "0" + StringDBCSRight(second, 1);  // one-digit second

    PictureFileName = year + " " + month + " " + day + "   " + hour + " " + minute + " " + second + ".png";
}

void InitPictureFileName() { PictureFileName.clear(); }
void InitPictureDate() { PictureDate.clear(); }
void InitPictureTime() { PictureTime.clear(); }

void ReleasePictureFileName() { ReleaseGlobal(PictureFileName); }
void ReleasePictureDate() { ReleaseGlobal(PictureDate); }
void ReleasePictureTime() { ReleaseGlobal(PictureTime); }

}  // namespace quorrel
