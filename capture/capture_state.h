// The capture state shared by the Control Panel's handlers and the capture.
#pragma once

#include "platform/framework.h"

namespace quorrel {
using namespace fw;

extern bool TakingPicture;                  // a capture is running: no tick starts another
extern bool WaitingForTopPoint;             // the next press sets the top-left corner
extern bool WaitingForBottomPoint;          // the next press sets the bottom-right corner
extern int32_t TopPointX, TopPointY;        // the chosen top-left corner (global points)
extern int32_t BottomPointX, BottomPointY;  // the chosen bottom-right corner

// Start routines, in the order of the globals above.
void InitCaptureScalar1();
void InitCaptureScalar2();
void InitCaptureScalar3();
void InitCaptureScalar4();
void InitCaptureScalar5();
void InitCaptureScalar6();
void InitCaptureScalar7();

}  // namespace quorrel
