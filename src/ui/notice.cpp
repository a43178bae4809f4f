#include "ui/notice.h"

#include "platform/platform.h"
#include "world/settings.h"

Notice notice;

void postNotice(const char* english, const char* italian) {
    notice = Notice{english, italian, plat::clockMs()};
}

const char* activeNotice(int32_t now) {
    if (!notice.english || now - notice.postedAt > kNoticeShowMs) return nullptr;
    return tr(notice.english, notice.italian);
}

void resetNotice() { notice = Notice{}; }
