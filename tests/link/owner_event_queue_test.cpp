#include "link/owner_event_queue.h"

#include <gtest/gtest.h>

#include <numeric>
#include <thread>
#include <vector>

namespace quarrion {
namespace {

TEST(OwnerEventQueue, TasksPostedElsewhereRunOnTheOwnerInOrder) {
    OwnerEventQueue queue;
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::thread poster([post = queue.Poster(), &order, &threads] {
        for (int i = 0; i < 100; ++i) {
            post([i, &order, &threads] {
                order.push_back(i);
                threads.push_back(std::this_thread::get_id());
            });
        }
    });
    poster.join();
    EXPECT_EQ(queue.Size(), 100u);
    EXPECT_EQ(queue.RunPending(), 100u);
    std::vector<int> expected(100);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(order, expected);
    EXPECT_EQ(threads, std::vector<std::thread::id>(100, std::this_thread::get_id()));
}

TEST(OwnerEventQueue, APosterOutlivingItsQueueDropsWhatItPosts) {
    OwnerEventQueue::PostFunction post;
    bool ran = false;
    {
        OwnerEventQueue queue;
        post = queue.Poster();
        post([&ran] { ran = true; });
    }
    post([&ran] { ran = true; });
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace quarrion
