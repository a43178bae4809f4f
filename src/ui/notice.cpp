#include "ui/notice.h"

#include <cstdio>

#include "platform/platform.h"
#include "world/settings.h"

Notice notice;

void postNotice(const char* english, const char* italian) {
    std::snprintf(notice.english, sizeof notice.english, "%s", english);
    std::snprintf(notice.italian, sizeof notice.italian, "%s", italian);
    notice.postedAt = plat::clockMs();
}

const char* activeNotice(int32_t now) {
    if (!notice.english[0] || now - notice.postedAt > kNoticeShowMs) return nullptr;
    return tr(notice.english, notice.italian);
}

void resetNotice() { notice = Notice{}; }
