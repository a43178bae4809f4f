#include "ui/option_rows.h"

#include "world/option_table.h"
#include "world/settings.h"

int moreOptionsRowY(int choice) {
    // 200, 220, ... 380 under the screen's title; the notice's line (400) stays clear.
    return 180 + 20 * choice;
}

const char* optionRowLabel(const Settings& settings, int row) {
    const OptionRow* r = optionAtMenuRow(row);
    return r ? tr(settings, r->english, r->italian) : "";
}

std::string optionRowValue(const Settings& settings, const Options& values, int row) {
    const OptionRow* r = optionAtMenuRow(row);
    return r ? r->show(values.*r->field, settings) : std::string();
}

void stepOptionRow(Options& values, int row, int direction, int largestScale) {
    const OptionRow* r = optionAtMenuRow(row);
    if (!r) return;
    // Scales too big for the window are not offered.
    size_t count = r->steps.size();
    if (r->field == &Options::uiScale)
        while (count > 1 && r->steps[count - 1] > largestScale) --count;
    int& value = values.*r->field;
    size_t at = count;
    for (size_t i = 0; i < count; ++i)
        if (r->steps[i] == value) at = i;
    value = r->steps[at == count ? 0 : (at + (direction < 0 ? count - 1 : 1)) % count];
}
