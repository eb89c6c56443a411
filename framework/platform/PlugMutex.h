#pragma once

// A recursive lock: a critical section on Windows, a recursive pthread mutex
// elsewhere. The same thread may take it again while holding it.
class PlugMutex {
 public:
  PlugMutex();
  ~PlugMutex();
  PlugMutex(const PlugMutex&) = delete;
  PlugMutex& operator=(const PlugMutex&) = delete;

  void Lock();
  void Unlock();

 private:
  // Room for the native lock (a CRITICAL_SECTION or pthread_mutex_t), so that
  // this header needs no platform header.
  alignas(8) unsigned char storage_[64];
};

// Holds a PlugMutex for the life of the scope.
class PlugLock {
 public:
  explicit PlugLock(PlugMutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
  ~PlugLock() { mutex_.Unlock(); }
  PlugLock(const PlugLock&) = delete;
  PlugLock& operator=(const PlugLock&) = delete;

 private:
  PlugMutex& mutex_;
};
