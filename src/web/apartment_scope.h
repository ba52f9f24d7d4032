// Holds the calling thread's apartment entered for one scope.

#ifndef QUORRIN_WEB_APARTMENT_SCOPE_H_
#define QUORRIN_WEB_APARTMENT_SCOPE_H_

#include "platform/platform.h"

namespace quorrin {

// Enters on construction and leaves on destruction, but only when the enter
// succeeded: leaving an apartment this scope never entered would take the
// thread's own (from start-up) away from under it.
class ApartmentScope {
 public:
  ApartmentScope() : entered_(platform::EnterApartment()) {}
  ~ApartmentScope() {
    if (entered_) platform::LeaveApartment();
  }
  ApartmentScope(const ApartmentScope&) = delete;
  ApartmentScope& operator=(const ApartmentScope&) = delete;

 private:
  bool entered_;
};

}  // namespace quorrin

#endif  // QUORRIN_WEB_APARTMENT_SCOPE_H_
