// GoogleTest's internal Notification, made of a Win32 event for builds whose libstdc++ has no
// std::mutex or std::condition_variable (GCC 12's "win32" thread model), which GoogleTest's own
// one needs. Included ahead of every file that uses GoogleTest there (with
// GTEST_HAS_NOTIFICATION_=1); GoogleTest only uses it to start the threads of its own tests.
#pragma once

namespace testing::internal {

class Notification {
  public:
    Notification();
    ~Notification();
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify();
    void WaitForNotification();

  private:
    void* event_;  // a HANDLE; no <windows.h> here, since every test file includes this one
};

}  // namespace testing::internal
