#include "window_test_support.h"

void WindowTest::init() { openForm(); }

void WindowTest::cleanup()
{
    failures_.reset();
    form_.reset();
}
