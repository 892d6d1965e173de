// The loops a function body keeps. A body is compiled once, and so are the
// loops in it: the first run that reaches a loop records it as any loop is
// recorded, the body keeps the sealed tree by the place of the loop's first
// statement, and later runs (recursive ones at the same time) count the same
// statements off and replay the kept tree instead of recording them again.
// A kept tree never changes, and each run keeps its place in it on its own
// (CalcBlockRun), so sharing one is safe.
//
// What a kept tree takes is charged to the body, for as long as the body
// lives, rather than to the run that recorded it.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "core/run_budget.h"

namespace calc {

struct CalcBlockTree;

class CalcKeptLoops {
 public:
  // The tree recorded from the statements starting at `first`, or null.
  std::shared_ptr<const CalcBlockTree> Find(std::size_t first) const;
  // Keeps `tree`, recorded from the statements starting at `first`, and
  // moves what they take from `recorded` onto `charge`. False, with nothing
  // kept or moved, when the budget of `charge` or memory refuses: the tree
  // then serves this run only.
  bool Keep(std::size_t first, std::shared_ptr<const CalcBlockTree> tree, CalcMemoryCharge& recorded,
            CalcMemoryCharge& charge);

 private:
  struct Kept {
    std::size_t first;
    std::shared_ptr<const CalcBlockTree> tree;
  };
  std::vector<Kept> kept_;
};

}  // namespace calc
