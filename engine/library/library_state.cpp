#include "library/library_state.h"

#include <memory>

namespace calc {

StandardLibraryState& RunState(CalcEngine& engine) {
  CalcEngine* outermost = &engine;
  while (outermost->caller() != nullptr) outermost = outermost->caller();
  CalcStorage& storage = outermost->storage();
  // Another library may have left state of its own kind there.
  auto* state = dynamic_cast<StandardLibraryState*>(storage.library_state());
  if (state == nullptr) {
    auto made = std::make_unique<StandardLibraryState>();
    state = made.get();
    storage.set_library_state(std::move(made));
  }
  return *state;
}

}  // namespace calc
