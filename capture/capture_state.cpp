// The capture-state globals and their start values.
#include "capture/capture_state.h"

namespace quorrel {

bool TakingPicture = false;
bool WaitingForTopPoint = false;
bool WaitingForBottomPoint = false;
int32_t TopPointX = 0, TopPointY = 0;
int32_t BottomPointX = 0, BottomPointY = 0;

// Each start of the program gives the values of a fresh process.
void InitCaptureScalar1() { TakingPicture = false; }
void InitCaptureScalar2() { WaitingForTopPoint = false; }
void InitCaptureScalar3() { WaitingForBottomPoint = false; }
void InitCaptureScalar4() { TopPointX = 0; }
void InitCaptureScalar5() { TopPointY = 0; }
void InitCaptureScalar6() { BottomPointX = 0; }
void InitCaptureScalar7() { BottomPointY = 0; }

}  // namespace quorrel
