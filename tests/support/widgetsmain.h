#pragma once

#include "testmain.h"

#include <QApplication>

// For tests that drive windows (widgets under the offscreen platform).
#define LIRAVOX_WIDGETS_TEST_MAIN(TestObject) LIRAVOX_TEST_MAIN_IMPL(TestObject, QApplication)
