#include "ui/notice.h"

#include <cstdio>

#include "world/settings.h"

Notice makeNotice(int32_t now, const char* english, const char* italian) {
    Notice notice;
    std::snprintf(notice.english, sizeof notice.english, "%s", english);
    std::snprintf(notice.italian, sizeof notice.italian, "%s", italian);
    notice.postedAt = now;
    return notice;
}

const char* activeNotice(const Settings& settings, const Notice& notice, int32_t now) {
    if (!notice.english[0] || now - notice.postedAt > kNoticeShowMs) return nullptr;
    return tr(settings, notice.english, notice.italian);
}
