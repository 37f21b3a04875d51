#include "viewer/edb/thread_error.h"

namespace raz::edb {
namespace {

thread_local std::int32_t t_error = 0;

}  // namespace

std::int32_t ThreadError() { return t_error; }

void SetThreadError(std::int32_t code) { t_error = code; }

}  // namespace raz::edb
