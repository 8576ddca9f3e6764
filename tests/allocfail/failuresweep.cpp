#include "tests/allocfail/failuresweep.h"

#include "tkl/core/allocation.h"

#include <gtest/gtest.h>

namespace allocfail {
namespace {

// Far beyond any operation here; a sweep that gets this far is stuck.
const unsigned long kMaxAllocations = 100000;

std::vector<unsigned> live(const std::vector<LiveCount>& devices) {
    std::vector<unsigned> counts;
    for (const LiveCount& count : devices)
        counts.push_back(count());
    return counts;
}

}  // namespace

Sweep fail_each_allocation(const Operation& op, const std::vector<LiveCount>& devices) {
    Sweep sweep;
    for (unsigned long n = 1; n <= kMaxAllocations; ++n) {
        SCOPED_TRACE(op.name + ", allocation " + std::to_string(n) + " failing");
        const long blocks = tkl_alloc_live();
        const std::vector<unsigned> objects = live(devices);
        tkl_alloc_fail_nth(n);
        const bool succeeded = op.run();
        const unsigned long made = tkl_alloc_count();
        tkl_alloc_fail_nth(0);
        EXPECT_EQ(tkl_alloc_live(), blocks) << "library blocks left alive";
        EXPECT_EQ(live(devices), objects) << "software-device objects left alive";
        if (made < n) {
            // The failure was never reached: this is the operation's ordinary run.
            EXPECT_TRUE(succeeded) << "fails without any failed allocation";
            sweep.allocations = made;
            return sweep;
        }
        ++(succeeded ? sweep.tolerated : sweep.failed);
        if (::testing::Test::HasFatalFailure())
            break;
    }
    ADD_FAILURE() << op.name << ": still allocating after " << kMaxAllocations << " allocations";
    return sweep;
}

}  // namespace allocfail
