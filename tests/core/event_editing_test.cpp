// Event mode on the open map's events: creating, moving and deleting with
// renumbering, and the codes an event carries.
#include <gtest/gtest.h>

#include "core/event/event_codes.h"
#include "core/event/event_editing.h"

using namespace quillane;
using namespace quillane::event;
using text::sj;

namespace {

// Events 0..count-1 on the diagonal, each with a distinct speed and a one-line script.
MapEvents sampleEvents(int count) {
  MapEvents ev;
  for (int i = 0; i < count; ++i) {
    createEvent(ev, 10 + i, 20 + i, characterCodeOf(i, i), (i % 4) + 1);
    ev.records[i].lines[0] = {sj("町人") + std::to_string(i), "END"};
    ev.records[i].lines[1] = {kEndMarker, ""};
  }
  return ev;
}

}  // namespace

TEST(EventEditing, CreatingNumbersFromZeroAndRefusesPastTheLimits) {
  MapEvents ev;
  EXPECT_EQ(checkNewEvent(ev, 3, 4, 50), NewEventRefusal::None);
  EXPECT_EQ(createEvent(ev, 3, 4, "2A", 8), 0);
  EXPECT_EQ(ev.lastNumber, 0);
  EXPECT_EQ(ev.records[0].lines[0].message, "99");
  EXPECT_EQ(ev.records[0].speed, 8);
  EXPECT_EQ(ev.grid.at(3, 4).character, "2A");
  EXPECT_EQ(ev.grid.at(3, 4).movement, "1");
  EXPECT_EQ(ev.grid.at(3, 4).number, "0");
  EXPECT_EQ(eventAt(ev, 3, 4), 0);

  EXPECT_EQ(checkNewEvent(ev, 3, 4, 50), NewEventRefusal::Occupied);
  EXPECT_EQ(checkNewEvent(ev, 201, 0, 50), NewEventRefusal::OutsideGrid);
  ev.grid.at(5, 5).character = "0";  // "0" is no event
  EXPECT_EQ(checkNewEvent(ev, 5, 5, 50), NewEventRefusal::None);

  MapEvents full = sampleEvents(11);  // numbers 0..10
  EXPECT_EQ(checkNewEvent(full, 0, 0, 10), NewEventRefusal::Capacity);
  EXPECT_EQ(checkNewEvent(full, 0, 0, 11), NewEventRefusal::None);
  full.lastNumber = 100;
  EXPECT_EQ(checkNewEvent(full, 0, 0, 200), NewEventRefusal::Capacity);
}

TEST(EventEditing, DeletingEventThreeOfSixRenumbersTheLaterOnes) {
  MapEvents ev = sampleEvents(6);
  ASSERT_TRUE(deleteEvent(ev, 3));
  EXPECT_EQ(ev.lastNumber, 4);
  EXPECT_FALSE(ev.grid.at(13, 23).hasEvent());
  for (int old : {4, 5}) {
    const EventRecord& r = ev.records[old - 1];
    EXPECT_EQ(r.x, 10 + old);
    EXPECT_EQ(r.y, 20 + old);
    EXPECT_EQ(r.speed, (old % 4) + 1);
    EXPECT_EQ(r.lines[0].message, sj("町人") + std::to_string(old));
    EXPECT_EQ(ev.grid.at(r.x, r.y).number, std::to_string(old - 1));
    EXPECT_EQ(ev.grid.at(r.x, r.y).character, characterCodeOf(old, old));
    EXPECT_EQ(eventAt(ev, r.x, r.y), old - 1);
  }
  EXPECT_EQ(ev.records[2].lines[0].message, sj("町人2"));
  EXPECT_EQ(eventChooserRows(ev).back(), "4:" + sj("町人5"));

  // Deleting the last event only lowers the last number.
  ASSERT_TRUE(deleteEvent(ev, 4));
  EXPECT_EQ(ev.lastNumber, 3);
  EXPECT_EQ(ev.records[4].lines[0].message, sj("町人5"));
  EXPECT_FALSE(deleteEvent(ev, 4));
  EXPECT_FALSE(deleteEvent(ev, -1));
}

TEST(EventEditing, MovingKeepsTheNumberAndNeedsAnEmptyTarget) {
  MapEvents ev = sampleEvents(3);
  EXPECT_FALSE(moveEvent(ev, 10, 20, 11, 21));  // occupied
  EXPECT_FALSE(moveEvent(ev, 0, 0, 1, 1));      // nothing to move
  EXPECT_FALSE(moveEvent(ev, 10, 20, 250, 1));  // outside
  ASSERT_TRUE(moveEvent(ev, 11, 21, 40, 41));
  EXPECT_FALSE(ev.grid.at(11, 21).hasEvent());
  EXPECT_EQ(ev.grid.at(40, 41).number, "1");
  EXPECT_EQ(ev.records[1].x, 40);
  EXPECT_EQ(ev.records[1].y, 41);
  EXPECT_EQ(eventAt(ev, 40, 41), 1);
}

TEST(EventEditing, ChooserRowsAndScrolling) {
  EXPECT_TRUE(eventChooserRows(MapEvents{}).empty());
  EXPECT_EQ(centredOrigin(50, 15, 100), 43);
  EXPECT_EQ(centredOrigin(3, 15, 100), 0);
  EXPECT_EQ(centredOrigin(98, 15, 100), 85);
  EXPECT_EQ(centredOrigin(5, 15, 10), 0);  // map smaller than the view
}

TEST(EventCodes, MovementCodesAndNames) {
  const Movement m = readMovement("13");
  EXPECT_EQ(m.pattern, 3);
  EXPECT_TRUE(m.noWait);
  EXPECT_EQ(movementCode(m), "13");
  EXPECT_EQ(movementDisplayName("13"), sj("追跡縦座標重点(停止)"));
  EXPECT_EQ(movementDisplayName("3"), sj("追跡縦座標重点"));
  EXPECT_EQ(movementDisplayName("10"), sj("ランダム(停止)"));
  // Stand still never carries the mark.
  EXPECT_EQ(movementCode({1, true}), "1");
  EXPECT_EQ(movementCode({9, true}), "9");
  EXPECT_EQ(movementCode({0, true}), "10");
  EXPECT_EQ(movementCode({6, false}), "6");
  EXPECT_EQ(readMovement("").pattern, 0);
  EXPECT_EQ(readMovement("77").pattern, 1);  // nonsense reads as stand still
  EXPECT_EQ(movementNames().size(), 10u);
}

TEST(EventCodes, SpeedsAndCharacterCodes) {
  EXPECT_EQ(shownSpeed(4), 3);
  EXPECT_EQ(shownSpeed(8), 4);
  EXPECT_EQ(shownSpeed(3), 0);
  EXPECT_EQ(storedSpeed(3), 4);
  EXPECT_EQ(storedSpeed(5), 0);

  const auto pos = parseCharacterCode("2B");
  ASSERT_TRUE(pos);
  EXPECT_EQ(pos->row, 2);
  EXPECT_EQ(pos->column, 11);
  EXPECT_FALSE(parseCharacterCode(""));
  EXPECT_EQ(characterCodeOf(15, 10), "FA");

  EXPECT_EQ(checkCharacterCode("a").code, "0A");
  EXPECT_EQ(checkCharacterCode("1f").code, "1F");
  EXPECT_EQ(checkCharacterCode("99").error, CharacterCodeError::MeansNoEvent);
  for (const char* bad : {"", "G1", "123", "1 2", "-1"})
    EXPECT_EQ(checkCharacterCode(bad).error, CharacterCodeError::NotHex) << bad;
}
