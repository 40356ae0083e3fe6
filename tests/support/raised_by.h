// The error that a call raises, for the tests that expect one.
#ifndef TARVELO_TESTS_SUPPORT_RAISED_BY_H_
#define TARVELO_TESTS_SUPPORT_RAISED_BY_H_

#include <gtest/gtest.h>

#include <functional>

#include "common/error.h"

namespace tarvelo::testing {

/// The TarveloError that `action` raises; when it raises none, a failure of the test
/// and error 0 without a description.
inline TarveloError RaisedBy(const std::function<void()>& action) {
  try {
    action();
  } catch (const TarveloError& error) {
    return error;
  }
  ADD_FAILURE() << "no error was raised";
  return TarveloError(0, "");
}

}  // namespace tarvelo::testing

#endif  // TARVELO_TESTS_SUPPORT_RAISED_BY_H_
