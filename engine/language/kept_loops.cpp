#include "language/kept_loops.h"

#include <new>
#include <utility>

namespace calc {

std::shared_ptr<const CalcBlockTree> CalcKeptLoops::Find(std::size_t first) const {
  for (const Kept& kept : kept_)
    if (kept.first == first) return kept.tree;
  return nullptr;
}

bool CalcKeptLoops::Keep(std::size_t first, std::shared_ptr<const CalcBlockTree> tree, CalcMemoryCharge& recorded,
                         CalcMemoryCharge& charge) {
  if (tree == nullptr || Find(first) != nullptr) return false;
  try {
    kept_.reserve(kept_.size() + 1);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!charge.Absorb(recorded)) return false;
  kept_.push_back(Kept{first, std::move(tree)});  // room reserved: cannot throw
  return true;
}

}  // namespace calc
