// CalcRunBudget: what one run of engine text may spend, and the request to end
// it. An engine owns one and shares it with the engines it makes for function
// calls, so that a whole run, calls included, is held to one limit.
//
// - Interruption: RequestInterrupt may be called from any thread or from a
//   signal handler; the next check ends the run.
// - Work: counted in element operations (one element of a matrix product's
//   inner loop, one element filled or copied); a statement counts as
//   kWorkPerStep of them, so a step limit is a number of statements and a
//   matrix product of n^3 element operations costs n^3 / kWorkPerStep steps.
//   Long operations charge their work in slices as they go (ChargeWork), so
//   that an interruption or the step limit ends them within a moment.
// - Memory: bytes of values, arrays and compiled lines that are alive now.
//   Whoever holds memory charges it through a CalcMemoryCharge, which gives
//   it back when it is destroyed; a charge past the limit is refused and the
//   operation fails (E_MEM) without allocating.
//
// The reason the last check or charge failed is kept (stop()), so that the
// engine can say why a run ended: the status code is the same E_MEM for all
// three.
//
// Apart from RequestInterrupt, one budget is used by one thread at a time.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace calc {

class CalcRunBudget : public std::enable_shared_from_this<CalcRunBudget> {
  struct MadeByMake {
    explicit MadeByMake() = default;
  };

 public:
  // Element operations that cost as much time as one plain statement
  // (measured: a statement of a counting loop takes about 0.35 us, one
  // multiply-and-add of a matrix product about 0.15 us, and filling a new
  // element, page faults included, about 0.3 us).
  static constexpr std::uint64_t kWorkPerStep = 2;
  // The memory limit of a budget nobody has set.
  static constexpr std::size_t kDefaultMemoryLimit = std::size_t{1} << 30;

  enum class Stop : std::uint8_t {
    kNone,
    kInterrupted,  // RequestInterrupt
    kStepLimit,    // the work passed the step limit
    kMemory,       // a memory charge would have passed the limit
  };

  // Budgets are made by Make only (a charge must be able to share its
  // budget's ownership).
  explicit CalcRunBudget(MadeByMake) {}
  CalcRunBudget(const CalcRunBudget&) = delete;
  CalcRunBudget& operator=(const CalcRunBudget&) = delete;

  // A budget that memory charges can hold on to: a charge keeps its budget
  // alive, so values may outlive the engine that made them.
  static std::shared_ptr<CalcRunBudget> Make();

  // --- interruption ---

  // Safe from any thread and from a signal handler.
  void RequestInterrupt() { interrupt_requested_.store(true, std::memory_order_relaxed); }
  // True while a request has not been taken by a check yet (also safe from a
  // signal handler): the run is inside something that does not check.
  bool interrupt_pending() const { return interrupt_requested_.load(std::memory_order_relaxed); }

  // --- work ---

  // At most `steps` more steps of work (0: no limit); the count restarts and
  // a stop from before is forgotten.
  void SetStepLimit(std::uint64_t steps);
  // Steps of work counted since SetStepLimit.
  std::uint64_t steps() const { return work_ / kWorkPerStep; }
  // Counts one statement. False when the run must end (see ChargeWork).
  bool ChargeStep() { return ChargeWork(kWorkPerStep); }
  // True when ChargeStep would end the run now; counts nothing. A caller that
  // leaves such a statement to the one who counts it normally keeps the
  // count exact.
  bool StepWouldEnd() const {
    return interrupt_pending() || ended() ||
           (step_limit_ != 0 && (work_limit_ < kWorkPerStep || work_ > work_limit_ - kWorkPerStep));
  }
  // Counts `operations` element operations. False when the run must end: an
  // interruption was requested (taken: it ends one run), or the work passed
  // the step limit. stop() then says which; it stays set until
  // SetStepLimit or ClearStop.
  bool ChargeWork(std::uint64_t operations);

  // --- memory ---

  // Most bytes alive at once (0: no limit). A lower limit than what is in use
  // refuses every further charge until enough is given back.
  void SetMemoryLimit(std::size_t bytes) { memory_limit_ = bytes; }
  std::size_t memory_used() const { return memory_used_; }
  // Takes `bytes` more; false, with nothing taken and stop() kMemory, when
  // that would pass the limit.
  bool Reserve(std::size_t bytes);
  void Release(std::size_t bytes);

  // --- why ---

  Stop stop() const { return stop_; }
  // True when the run must end (an interruption or the step limit), as
  // opposed to one operation failing for memory.
  bool ended() const { return stop_ == Stop::kInterrupted || stop_ == Stop::kStepLimit; }
  // Forgets a memory refusal (kMemory), so that it cannot be blamed for a
  // later failure; a run's end stays.
  void ClearMemoryStop() {
    if (stop_ == Stop::kMemory) stop_ = Stop::kNone;
  }
  void ClearStop() { stop_ = Stop::kNone; }
  // "interrupted", "step limit reached", "memory limit reached", or "".
  static std::string_view StopText(Stop stop);

 private:
  static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
  std::atomic<bool> interrupt_requested_{false};
  std::uint64_t step_limit_ = 0;
  std::uint64_t work_limit_ = 0;  // step_limit_ * kWorkPerStep, saturated
  std::uint64_t work_ = 0;
  std::size_t memory_limit_ = kDefaultMemoryLimit;
  std::size_t memory_used_ = 0;
  Stop stop_ = Stop::kNone;
};

// Memory held on a budget for as long as this object lives; owned by the
// object whose storage it stands for (a matrix, an array node, compiled
// lines). The charge keeps its budget alive.
//
// Copies charge the same budget for the same amount, so that a copy of a
// charged value is charged too; past the limit the copy throws
// std::bad_alloc, as a failed allocation would. A moved-from charge holds
// nothing.
class CalcMemoryCharge {
 public:
  CalcMemoryCharge() = default;
  CalcMemoryCharge(const CalcMemoryCharge& other);
  CalcMemoryCharge& operator=(const CalcMemoryCharge& other);
  CalcMemoryCharge(CalcMemoryCharge&& other) noexcept;
  CalcMemoryCharge& operator=(CalcMemoryCharge&& other) noexcept;
  // Nothing to give back without a budget: most matrices never hold one.
  ~CalcMemoryCharge() {
    if (budget_ != nullptr) Reset();
  }

  // Makes the charge `bytes` on `budget` (null: the budget held now; none
  // held: nothing is charged). False, with nothing changed, when the budget
  // refuses.
  bool Set(std::size_t bytes, CalcRunBudget* budget = nullptr);
  // Gives everything back and lets go of the budget.
  void Reset();
  // Takes over what `other` holds, which is left holding nothing: onto this
  // charge's budget, or, when this holds none, onto `other`'s. False, with
  // both unchanged, when this budget refuses.
  bool Absorb(CalcMemoryCharge& other);

  CalcRunBudget* budget() const { return budget_.get(); }
  std::size_t bytes() const { return bytes_; }

 private:
  std::shared_ptr<CalcRunBudget> budget_;
  std::size_t bytes_ = 0;
};

}  // namespace calc
