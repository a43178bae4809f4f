#include "ui/notice.h"

#include <cstdio>

#include "world/settings.h"

void postNotice(Notice& notice, int32_t now, const char* english, const char* italian) {
    std::snprintf(notice.english, sizeof notice.english, "%s", english);
    std::snprintf(notice.italian, sizeof notice.italian, "%s", italian);
    notice.postedAt = now;
}

const char* activeNotice(const Notice& notice, int32_t now) {
    if (!notice.english[0] || now - notice.postedAt > kNoticeShowMs) return nullptr;
    return tr(notice.english, notice.italian);
}
