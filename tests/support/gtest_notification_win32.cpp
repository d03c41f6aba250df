#include "gtest_notification_win32.h"

#include <windows.h>

namespace testing::internal {

// A manual-reset event: once notified, every wait returns at once.
Notification::Notification() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

Notification::~Notification() {
    ::CloseHandle(event_);
}

void Notification::Notify() {
    ::SetEvent(event_);
}

void Notification::WaitForNotification() {
    ::WaitForSingleObject(event_, INFINITE);
}

}  // namespace testing::internal
