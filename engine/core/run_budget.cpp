#include "core/run_budget.h"

#include <limits>
#include <new>
#include <utility>

namespace calc {

std::shared_ptr<CalcRunBudget> CalcRunBudget::Make() { return std::make_shared<CalcRunBudget>(MadeByMake()); }

void CalcRunBudget::SetStepLimit(std::uint64_t steps) {
  step_limit_ = steps;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  work_limit_ = steps > kMax / kWorkPerStep ? kMax : steps * kWorkPerStep;
  work_ = 0;
  stop_ = Stop::kNone;
}

bool CalcRunBudget::ChargeWork(std::uint64_t operations) {
  const std::uint64_t room = std::numeric_limits<std::uint64_t>::max() - work_;
  work_ += operations < room ? operations : room;
  // Read first: the exchange is a locked instruction, and checks are frequent.
  if (interrupt_requested_.load(std::memory_order_relaxed) &&
      interrupt_requested_.exchange(false, std::memory_order_relaxed)) {
    stop_ = Stop::kInterrupted;
    return false;
  }
  if (ended()) return false;  // the run already ended: every later check agrees
  if (step_limit_ != 0 && work_ > work_limit_) {
    stop_ = Stop::kStepLimit;
    return false;
  }
  return true;
}

bool CalcRunBudget::Reserve(std::size_t bytes) {
  if (memory_limit_ != 0 && (memory_used_ > memory_limit_ || bytes > memory_limit_ - memory_used_)) {
    if (!ended()) stop_ = Stop::kMemory;
    return false;
  }
  memory_used_ += bytes;
  return true;
}

void CalcRunBudget::Release(std::size_t bytes) { memory_used_ -= bytes < memory_used_ ? bytes : memory_used_; }

std::string_view CalcRunBudget::StopText(Stop stop) {
  switch (stop) {
    case Stop::kInterrupted: return "interrupted";
    case Stop::kStepLimit: return "step limit reached";
    case Stop::kMemory: return "memory limit reached";
    default: return {};
  }
}

// --- charges -------------------------------------------------------------------------

CalcMemoryCharge::CalcMemoryCharge(const CalcMemoryCharge& other) : budget_(other.budget_) {
  if (budget_ != nullptr && !budget_->Reserve(other.bytes_)) throw std::bad_alloc();
  bytes_ = other.bytes_;
}

CalcMemoryCharge& CalcMemoryCharge::operator=(const CalcMemoryCharge& other) {
  if (this != &other) {
    CalcMemoryCharge copy(other);
    *this = std::move(copy);
  }
  return *this;
}

CalcMemoryCharge::CalcMemoryCharge(CalcMemoryCharge&& other) noexcept
    : budget_(std::move(other.budget_)), bytes_(std::exchange(other.bytes_, 0)) {}

CalcMemoryCharge& CalcMemoryCharge::operator=(CalcMemoryCharge&& other) noexcept {
  if (this != &other) {
    Reset();
    budget_ = std::move(other.budget_);
    bytes_ = std::exchange(other.bytes_, 0);
  }
  return *this;
}

bool CalcMemoryCharge::Set(std::size_t bytes, CalcRunBudget* budget) {
  if (budget == nullptr || budget == budget_.get()) {
    if (budget_ == nullptr) return true;
    if (bytes > bytes_ && !budget_->Reserve(bytes - bytes_)) return false;
    if (bytes < bytes_) budget_->Release(bytes_ - bytes);
    bytes_ = bytes;
    return true;
  }
  // Another budget: take the new charge before giving the old one back.
  std::shared_ptr<CalcRunBudget> other = budget->shared_from_this();
  if (!other->Reserve(bytes)) return false;
  Reset();
  budget_ = std::move(other);
  bytes_ = bytes;
  return true;
}

bool CalcMemoryCharge::Absorb(CalcMemoryCharge& other) {
  if (&other == this || other.budget_ == nullptr) return true;
  if (budget_ == nullptr) {
    *this = std::move(other);
    return true;
  }
  // On the same budget the bytes only change hands; another budget takes
  // them before `other` gives them back.
  if (other.budget_ != budget_ && !budget_->Reserve(other.bytes_)) return false;
  bytes_ += other.bytes_;
  if (other.budget_ == budget_) {
    other.budget_.reset();
    other.bytes_ = 0;
  } else {
    other.Reset();
  }
  return true;
}

void CalcMemoryCharge::Reset() {
  if (budget_ != nullptr) budget_->Release(bytes_);
  budget_.reset();
  bytes_ = 0;
}

}  // namespace calc
