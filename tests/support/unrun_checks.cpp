// In the test programs (not the fuzz targets, which have no GoogleTest), a check scheduled on
// the twin for a moment the run never reached fails its test.
#include <gtest/gtest.h>

#include "platform/headless_platform.h"

namespace {

const bool kUnrunChecksFail = [] {
    tk::unrunActionsReporter = [](const std::string& what) { ADD_FAILURE() << what; };
    return true;
}();

}  // namespace
