#include <pthread.h>

#include <new>

#include "framework/platform/PlugMutex.h"

namespace {

pthread_mutex_t* Native(unsigned char* storage) {
  return std::launder(reinterpret_cast<pthread_mutex_t*>(storage));
}

}  // namespace

PlugMutex::PlugMutex() {
  static_assert(sizeof(pthread_mutex_t) <= sizeof storage_, "storage too small");
  static_assert(alignof(pthread_mutex_t) <= 8, "storage under-aligned");
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(new (storage_) pthread_mutex_t, &attributes);
  pthread_mutexattr_destroy(&attributes);
}

PlugMutex::~PlugMutex() {
  pthread_mutex_destroy(Native(storage_));
}

void PlugMutex::Lock() {
  pthread_mutex_lock(Native(storage_));
}

void PlugMutex::Unlock() {
  pthread_mutex_unlock(Native(storage_));
}
