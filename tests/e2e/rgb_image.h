// The end-to-end tests' names for the shared image type and its PNG files.
#pragma once
#include "tests/support/rgb_image.h"

namespace e2e {

using quorrel::test::CountDifferent;
using quorrel::test::FirstDifference;
using quorrel::test::ReadPng;
using quorrel::test::RgbImage;
using quorrel::test::WritePng;

}  // namespace e2e
