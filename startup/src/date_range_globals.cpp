// The session period that the user's stored range name gives on the day the session starts.
#include "dane/globals.h"
#include "keldox/date_ranges.h"
#include "runtime/text.h"
#include "start/loaders.h"

namespace start {

void set_session_period(runtime::DayNumber today) {
  using dane::GLO;
  int position = keldox::range_position(GLO.ZAKRES.view());
  if (position == 0) {
    position = keldox::range::kAny;
    GLO.ZAKRES = keldox::range_name_at(position);
  }
  GLO.ZAKRESPOS = static_cast<std::uint8_t>(position);
  switch (position) {
    case keldox::range::kToday:
      GLO.DATA_OD = today;
      GLO.DATA_DO = today;
      break;
    case keldox::range::kLastWeek:
      GLO.DATA_OD = today - 7;
      GLO.DATA_DO = today;
      break;
    case keldox::range::kCurrentMonth:
      GLO.DATA_OD = runtime::first_day_of_month(today);
      GLO.DATA_DO = runtime::last_day_of_month(today);
      break;
    case keldox::range::kCurrentYear: {
      const int year = static_cast<int>(runtime::to_ymd(today).year());
      GLO.DATA_OD = runtime::make_day(year, 1, 1);
      GLO.DATA_DO = runtime::make_day(year, 12, 31);
      break;
    }
    default:  // the other ranges keep the stored dates
      break;
  }
  GLO.ZAKRESOPIS = keldox::period_description(GLO.ZAKRES.view(), {GLO.DATA_OD, GLO.DATA_DO});
  GLO.DATA_OD_LOC = GLO.DATA_OD;
  GLO.DATA_DO_LOC = GLO.DATA_DO;
  GLO.ZAKRES_LOC = GLO.ZAKRES;
  GLO.ZAKRESOPIS_LOC = GLO.ZAKRESOPIS;
  GLO.ZAKRESPOS_LOC = GLO.ZAKRESPOS;
}

}  // namespace start
