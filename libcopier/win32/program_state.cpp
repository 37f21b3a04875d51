#include "libcopier/win32/program_state.h"

namespace raz {

FerrydropState& State() {
  static FerrydropState state;
  return state;
}

}  // namespace raz
