// A fighter: position on the one-dimensional ring, facing, tint, health, punch power per hand, the vulnerability
// matrix that says how hard each incoming punch would land, and one current action.
//
// A controller steers it through Walk, Attack and direct guard changes; Control and Update are its step in each
// tick of a round (see figure_step.cpp).
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "fighters/controller.h"

// Action codes. Drawing takes the sprite cell from them, and every code from ACTION_WIN up stops the controller.
enum : int32_t {
  ACTION_GUARD = 0,     // standing guard at `height`
  ACTION_PUNCH = 3,     // a punch thrown in this tick; becomes ACTION_RECOVER in the same Control step
  ACTION_RECOVER = -3,  // the punching arm still out
  ACTION_HURT = 9,      // staggered by a punch that was not blocked
  ACTION_FORWARD = 15,  // walking towards the opponent
  ACTION_BACK = 16,     // walking away
  ACTION_WIN = 17,      // round won
  ACTION_DOWN = 18,     // knocked out
};

// Heights: 0 high, 1 middle, 2 low. Hands: 0 right, 1 left. Vulnerability levels: 0 blocked, 1 weak, 2 medium,
// 3 hard.
constexpr int32_t HEIGHTS = 3;
constexpr int32_t HANDS = 2;

// Vulnerability levels by [height][hand] of an incoming punch.
using TVulnMatrix = std::array<std::array<int32_t, HANDS>, HEIGHTS>;

// The matrix of a fighter in the given action at the given height with the given hand out (or last hit): it
// follows from the pose alone, which is why a player who knows the rules can read it off the screen.
TVulnMatrix PoseVulnerability(int32_t action, int32_t height, int32_t side);

class TImage;

// The sprite sheet all fighters are drawn from: 40 cells of 128 by 128, cells 0-19 the untinted base layer and
// cell f + 20 the parts of cell f that take the fighter's tint. Null until TFigure::Load.
extern std::shared_ptr<TImage> FigureSheet;
// Cell f + FIGURE_TINT_LAYER holds the tinted parts of cell f.
constexpr int32_t FIGURE_TINT_LAYER = 20;

// The fighters' state back to how start-up finds it: no sprite sheet, no roster.
void ResetFighters();

class TFigure;

// What a tick of the fight ended in.
enum : int32_t {
  KNOCKOUT_NONE = -2,
  KNOCKOUT_BOTH = -1,  // both fighters down at once: a drawn round
  KNOCKOUT_BY_LEFT = 0,
  KNOCKOUT_BY_RIGHT = 1,
};

// The ring a fighter fights in: the clock its timers read and where the sounds of its punches go. A match of two
// players keeps a ring of its own (a clock of ticks, sounds kept as events of the tick); the one-player matches
// fight in the game's: its clock, each sound played at once.
class TRing {
public:
  virtual ~TRing() = default;
  // The clock reading in milliseconds.
  virtual int32_t Now() const = 0;
  // A fight sound (FIGHT_SOUND_*) at volume 0..1, made by the fighter's punch or by a punch landing on it.
  virtual void Sound(const TFigure& fighter, int32_t kind, float volume) = 0;
};

// The game's clock (ElapsedMillis), every sound played at once: the ring of the one-player matches.
TRing& WallClockRing();

// Everything of a fighter that a tick of the fight changes or reads, as a plain value: saved and restored whole
// when a fight goes back in time.
struct TFigureState {
  int32_t x = 0;    // ring position 0..200
  int32_t y = 232;  // centre of the sprite; never changes
  int32_t dir = 1;  // +1 faces growing x (left corner), -1 the other way
  int32_t colr = 0;
  int32_t colg = 0;
  int32_t colb = 0;
  int32_t time = 0;   // clock reading when the current punch was thrown or the last hit was taken
  int32_t wtime = 0;  // start of the current walk-animation period
  int32_t action = ACTION_GUARD;
  int32_t health = 1000;
  int32_t maxhealth = 1000;
  std::array<int32_t, HANDS> power = {};
  TVulnMatrix vuln = {};  // [height][hand] of an incoming punch
  int32_t height = 0;     // guard or punch height
  int32_t side = 0;       // hand of the current punch; after a hit taken, the hand that hit
  int32_t hit = 0;        // 1 while a landed punch of the opponent waits for resolution
  int32_t hith = 0;       // its height
  int32_t hits = 0;       // its hand
  int32_t hitp = 0;       // its power
  int32_t recoil = 0;     // ticks of backward drift still to come, one ring unit per tick
  int32_t mayslide = 0;   // 1 when the next punch lunges forward
  int32_t slideh = 0;     // the height at which the last lunge was made
};

class TFigure : public TFigureState {
public:
  // Loads the sprite sheet "gfx/figures.png" with its handle at each cell's centre. The sheet is required: raises
  // TRuntimeError when it cannot be loaded.
  static int32_t Load();
  // A fighter in corner 0 (left, facing growing x) or 1 (right), steered by controller, which is given the
  // fighter as its fig. Reset before it is returned.
  static std::shared_ptr<TFigure> Create(std::shared_ptr<TController> controller, int32_t maxhealth, int32_t colr,
                                         int32_t colg, int32_t colb, int32_t corner);
  // Makes the two fighters each other's opponent; needed before either is stepped.
  static int32_t Fight(const std::shared_ptr<TFigure>& a, const std::shared_ptr<TFigure>& b);
  static int32_t Fight(TFigure& a, TFigure& b);

  // Full health and power, starting place, middle guard. Everything else keeps its value: a fighter knocked back
  // in the last tick of a round drifts on at the start of the next.
  int32_t Reset();
  // Starts or continues a walk (ACTION_FORWARD or ACTION_BACK); continuing keeps the walk animation running.
  int32_t Walk(int32_t a);
  // Throws a punch with hand s, unless staggered or that hand is still out.
  int32_t Attack(int32_t s);
  // One tick: the controller's decision, movement, this tick's vulnerability matrix, and the punch thrown.
  int32_t Control();
  // Resolves the punch that the opponent's Control stored on this fighter in the same tick.
  int32_t Update();
  // vuln[h, s] = v; s = -1 sets both hands of row h.
  int32_t SetVuln(int32_t h, int32_t s, int32_t v);
  // Draws the fighter at its ring position, mirrored when it faces falling x: the base layer in the current
  // colour (white), then the tint layer in its tint. Stores the cell in frame and moves the walk cycle on. Expects
  // white and scale (1, 1), and leaves them so.
  int32_t Draw();
  // Draws the fighter as it stands at clock reading now and changes nothing of it: the walk's cell follows from
  // the time since the walk began. The fights that go back in time draw so, as a drawing must not tell one side's
  // fighter from the other's.
  void DrawAt(int32_t now) const;
  // The sprite cell of the fighter's pose as drawn, the walk shown by its first cell: the guard's height, the
  // height and hand of an arm that is out or of the punch that staggered it, a walk, the round's end.
  int32_t PoseCell() const;

  TFigure* opp = nullptr;          // the opponent; not owned, the two are replaced together
  TRing* ring = &WallClockRing();  // the clock and the sounds of the fight; not owned
  std::shared_ptr<TController> controller;
  int32_t frame = 0;  // sprite cell chosen by the last drawing

  // One tick of both fighters (Control of each, then Update of each, so every landed punch is judged against the
  // defender's matrix of the same tick) and the knockout it ended in; the winner of a knockout takes its victory
  // pose.
  static int32_t Tick(TFigure& left, TFigure& right);

private:
  // Both layers of a sprite cell where the fighter stands, facing its way.
  void DrawCell(int32_t cell) const;
};
