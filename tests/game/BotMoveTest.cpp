// The bot on its feet: lethal cells ahead, low gaps, ledges, and the moves its weapons and a fight
// make it take.

#include "BotWorld.h"

namespace mv {
namespace {

// A floor on row 10 (pixels 160 ..); a bot at (100, 114) stands on it over columns 6 and 7, its head
// in row 7.
class BotMove : public BotWorld {
 protected:
  BotMove() { cells(10, 0, 40, CellSolid); }
  // Fills columns c0 .. c1 of rows r0 .. r1.
  void block(int c0, int c1, int r0, int r1, uint8_t value = CellSolid) {
    for (int row = r0; row <= r1; ++row) cells(row, c0, c1, value);
  }
  // Steps the whole tree for `ms` milliseconds in steps of 10, calling `each` after every step.
  template <typename Each>
  void run(int ms, Each each) {
    for (int t = 0; t < ms; t += 10) {
      pass(10);
      each();
    }
  }
};

TEST_F(BotMove, LethalCellsBlockTheBotsWayInEveryDirection) {
  TBot* b = bot(100, 114);
  g().grid.set(8, 8, CellLethal);  // beside the body on the right
  EXPECT_TRUE(b->canWalk(TPhyzObj::Right));
  EXPECT_FALSE(b->botCanWalk(TPhyzObj::Right));
  EXPECT_TRUE(b->botCanWalk(TPhyzObj::Left));
  g().grid.set(6, 7, CellLethal);  // just over the head
  EXPECT_FALSE(b->botCanWalk(TPhyzObj::Up));
  cells(10, 6, 7, CellLethal);  // under the feet instead of the floor
  EXPECT_TRUE(b->canWalk(TPhyzObj::Down));
  EXPECT_FALSE(b->botCanWalk(TPhyzObj::Down));
}

TEST_F(BotMove, TurnsBackBeforeALethalCellInTheColumnAhead) {
  // The column just ahead of the centre is 8 to the right and 6 to the left; rows 6 .. 13 count, from
  // one above the head to six below the top.
  struct Case {
    int side, col, row;
    bool turns;
  };
  for (const Case& c :
       {Case{1, 8, 10, true}, Case{1, 8, 6, true}, Case{1, 8, 13, true}, Case{1, 8, 5, false},
        Case{1, 8, 14, false}, Case{1, 9, 10, false}, Case{0, 6, 10, true}, Case{0, 5, 10, false}}) {
    const uint8_t was = g().grid.at(c.col, c.row);
    g().grid.set(c.col, c.row, CellLethal);
    TBot* b = bot(100, 114);
    b->walkStep(c.side);
    EXPECT_EQ(b->moveDir, c.turns ? 1 - c.side : c.side) << c.col << "," << c.row;
    EXPECT_EQ(b->extraDX == 0, c.turns) << c.col << "," << c.row;  // no step towards it
    g().grid.set(c.col, c.row, was);
  }
}

TEST_F(BotMove, PacesBetweenAWallAndAnAcidPoolWithoutFallingIn) {
  block(2, 2, 0, 9);
  cells(10, 15, 17, CellLethal);
  TBot* b = bot(100, 114);
  b->moveDir = 1;
  double leftmost = b->x, rightmost = b->x;
  run(20000, [&] {
    ASSERT_TRUE(b->alive());
    leftmost = std::min(leftmost, b->x);
    rightmost = std::max(rightmost, b->x);
  });
  EXPECT_LT(leftmost, 50);    // reached the wall
  EXPECT_GT(rightmost, 180);  // and came close to the pool
  EXPECT_LT(rightmost, 15 * 16 - 20);
}

TEST_F(BotMove, CrouchesUnderAGapTooLowToWalkAndComesOutTheOtherSide) {
  // A block from the top down to row 7 over columns 9 .. 14 leaves two rows of room: enough crouched.
  block(9, 14, 0, 7);
  block(25, 25, 0, 9);
  TBot* b = bot(100, 114);
  b->moveDir = 1;
  bool crouchedUnder = false;
  double rightmost = b->x;
  run(4000, [&] {
    if (b->x > 9 * 16 && b->x < 13 * 16) crouchedUnder |= b->crouched;
    rightmost = std::max(rightmost, b->x);
  });
  EXPECT_TRUE(crouchedUnder);
  EXPECT_GT(rightmost, 15 * 16);
  EXPECT_TRUE(b->alive());
}

TEST_F(BotMove, SeesALedgeItCanJumpOnButNotAWallNorPastAHeadroomLimit) {
  TBot* b = bot(100, 114);
  EXPECT_FALSE(b->ledgeAhead(1));  // flat floor: nothing to land on up there
  block(8, 40, 8, 9);
  EXPECT_TRUE(b->ledgeAhead(1));  // a step two cells high
  EXPECT_FALSE(b->ledgeAhead(0));
  EXPECT_EQ(b->x, 100);  // the probe leaves the body where it was
  EXPECT_EQ(b->y, 114);
  cells(6, 6, 7, CellSolid);  // a ceiling a cell over the head stops the probe climbing
  EXPECT_FALSE(b->ledgeAhead(1));
  cells(6, 6, 7, CellEmpty);
  block(8, 40, 4, 7);
  EXPECT_FALSE(b->ledgeAhead(1));  // six cells: higher than a jump
}

TEST_F(BotMove, NowAndThenJumpsOntoALedgeInItsWay) {
  block(12, 40, 8, 9);
  block(2, 2, 0, 9);
  block(30, 30, 0, 7);
  TBot* b = bot(100, 114);
  b->moveDir = 1;
  bool onTop = false;
  run(30000, [&] { onTop |= b->x > 12 * 16 && b->y < 114 - 30; });
  EXPECT_TRUE(onTop);
}

TEST_F(BotMove, SpraysTheMinigunWhileItHasMoreThanFifty) {
  TBot* b = bot(100, 114);
  b->hasWeapon[7] = 1;
  b->ammo[7] = 51;
  b->moveAndFight();
  EXPECT_EQ(b->currentWeapon, 7);
  EXPECT_EQ(b->ammo[7], 50);
  EXPECT_EQ(shots(), 1);
  b->cooldown = 0;
  b->moveAndFight();
  EXPECT_EQ(b->ammo[7], 50);
  EXPECT_EQ(shots(), 1);
}

TEST_F(BotMove, HoldsItsGroundCrouchingWithTheRifleAndHealthAboveSixty) {
  TBot* b = bot(100, 114);
  b->hasWeapon[1] = 1;
  b->ammo[1] = 3;
  b->health = 61;
  b->moveAndFight();
  EXPECT_EQ(b->moveMode, 0);
  EXPECT_TRUE(b->crouched);
  EXPECT_EQ(b->extraDX, 0);
  b->command(CmdStandUp);
  b->health = 60;
  b->moveAndFight();
  EXPECT_EQ(b->moveMode, 2);
  EXPECT_NE(b->extraDX, 0);  // walking again
  b->health = 100;
  b->ammo[1] = 0;
  b->moveMode = 0;
  b->moveAndFight();
  EXPECT_EQ(b->moveMode, 2);
}

TEST_F(BotMove, AJumpLastsUntilItRisesOrCanWalkOn) {
  TBot* b = bot(100, 114);
  b->moveMode = 1;
  b->moveDir = 1;
  b->moveAndFight();
  EXPECT_DOUBLE_EQ(b->velY, 0.33);
  EXPECT_EQ(b->moveMode, 2);
}

TEST_F(BotMove, AnEngagedBotHopsAndTheKeenestCrouchToo) {
  for (int laziness : {30, 31}) {
    TBot* b = bot(100, 114, laziness);
    b->engaged = true;
    b->moveAndFight();
    EXPECT_DOUBLE_EQ(b->velY, 0.33) << laziness;
    EXPECT_EQ(b->crouched, laziness <= 30) << laziness;
    EXPECT_TRUE(b->engaged);
  }
  // Under a ceiling the fight is off.
  TBot* b = bot(100, 114);
  g().grid.set(6, 7, CellSolid);
  b->engaged = true;
  b->moveAndFight();
  EXPECT_FALSE(b->engaged);
}

}  // namespace
}  // namespace mv
