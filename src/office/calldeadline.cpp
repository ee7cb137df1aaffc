#include "office/calldeadline.h"

#include <csignal>

CallDeadline::CallDeadline() : m_watcher([this] { run(); }) {}

CallDeadline::~CallDeadline() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_watcher.join();
}

void CallDeadline::watch(pid_t processGroup) {
    std::lock_guard lock(m_mutex);
    m_group = processGroup;
}

void CallDeadline::arm(int milliseconds) {
    {
        std::lock_guard lock(m_mutex);
        m_armed = true;
        m_due = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    }
    m_changed.notify_all();
}

void CallDeadline::disarm() {
    std::lock_guard lock(m_mutex);
    m_armed = false;
}

void CallDeadline::overrunNow() {
    std::lock_guard lock(m_mutex);
    if (m_armed)
        expire();
}

void CallDeadline::expire() {
    m_armed = false;
    m_overran = true;
    if (m_group > 0)
        ::kill(-m_group, SIGKILL);
}

bool CallDeadline::overran() const {
    std::lock_guard lock(m_mutex);
    return m_overran;
}

void CallDeadline::run() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_armed) {
            m_changed.wait(lock);
            continue;
        }
        const auto due = m_due;
        if (m_changed.wait_until(lock, due) == std::cv_status::timeout && m_armed && m_due == due)
            expire();
    }
}
