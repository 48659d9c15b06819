// Events as the controls publish them: a handler is a method of some object (or any callable),
// and its first argument is always the control that raised the event.
#pragma once
#include <functional>
#include <type_traits>
#include <utility>

namespace qm {

template <class Sender, class... Args>
class TQmEvent {
 public:
  using Handler = std::function<void(Sender*, Args...)>;

  TQmEvent() = default;
  // Assigned like a property, from a lambda or any callable of the right shape.
  template <class F, class = std::enable_if_t<std::is_constructible_v<Handler, F> &&
                                              !std::is_same_v<std::decay_t<F>, TQmEvent>>>
  TQmEvent(F&& f) : handler_(std::forward<F>(f)) {}  // NOLINT(google-explicit-constructor)
  template <class Object, class Method>
  static TQmEvent Of(Object* object, Method method) {
    return TQmEvent([object, method](Sender* s, Args... a) { (object->*method)(s, a...); });
  }

  explicit operator bool() const { return static_cast<bool>(handler_); }
  template <class... Call> void operator()(Sender* sender, Call&&... args) const {
    if (handler_) handler_(sender, std::forward<Call>(args)...);
  }

 private:
  Handler handler_;
};

}  // namespace qm
