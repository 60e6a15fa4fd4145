#pragma once

#include "results/result_list.h"

namespace quarrion {

class IncItem;
class Examinors;

namespace test {

// The examination done the slow, literal way: every record element is deep-copied,
// given its "tslkey", serialised and parsed again into a scratch document of its own;
// rules and column paths then run on that scratch document only. Kept as the yardstick
// the fast engine must agree with.
ResultList ReferenceExamine(IncItem& item, Examinors& examinors);

}  // namespace test
}  // namespace quarrion
