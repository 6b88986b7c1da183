#pragma once

namespace zq {

// A descriptor that a blocked endpoint call polls beside its endpoint, so
// that another thread can make the call return. Once fired it stays fired
// until cleared.
class CancelSignal {
 public:
  CancelSignal();
  ~CancelSignal();
  CancelSignal(const CancelSignal&) = delete;
  CancelSignal& operator=(const CancelSignal&) = delete;

  void Fire();
  void Clear();
  bool Fired() const;
  // The descriptor to poll for reading; readable while fired.
  int Fd() const { return fd_; }

 private:
  int fd_ = -1;
};

}  // namespace zq
