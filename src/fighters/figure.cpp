// Creating fighters, and the operations controllers steer them with.
#include "fighters/figure.h"

#include "fighters/opponent.h"
#include "media/core/clock.h"
#include "shared/rules.h"
#include "shared/sounds.h"

namespace {

class TWallClockRing : public TRing {
public:
  int32_t Now() const override { return ElapsedMillis(); }
  void Sound(const TFigure&, int32_t kind, float volume) override { PlayFightSound(kind, volume); }
};

}  // namespace

TRing& WallClockRing() {
  static TWallClockRing ring;
  return ring;
}

std::shared_ptr<TFigure> TFigure::Create(std::shared_ptr<TController> controller, int32_t maxhealth, int32_t colr,
                                         int32_t colg, int32_t colb, int32_t corner) {
  auto figure = std::make_shared<TFigure>();
  figure->dir = 1 - 2 * corner;
  figure->maxhealth = maxhealth;
  figure->controller = std::move(controller);
  if (figure->controller != nullptr) {
    figure->controller->fig = figure.get();
  }
  figure->colr = colr;
  figure->colg = colg;
  figure->colb = colb;
  figure->Reset();
  return figure;
}

int32_t TFigure::Fight(const std::shared_ptr<TFigure>& a, const std::shared_ptr<TFigure>& b) {
  return Fight(*a, *b);
}

int32_t TFigure::Fight(TFigure& a, TFigure& b) {
  a.opp = &b;
  b.opp = &a;
  return 0;
}

int32_t TFigure::Reset() {
  health = maxhealth;
  x = dir == -1 ? RING_END : 0;
  height = 1;
  action = ACTION_GUARD;
  power = {100, 100};
  return 0;
}

int32_t TFigure::Walk(int32_t a) {
  if (a != action) {
    wtime = ring->Now();
  }
  action = a;
  return 0;
}

int32_t TFigure::Attack(int32_t s) {
  if (action == ACTION_HURT || (action == ACTION_RECOVER && side == s)) {
    return 0;
  }
  action = ACTION_PUNCH;
  time = ring->Now();
  side = s;
  return 0;
}

int32_t TFigure::SetVuln(int32_t h, int32_t s, int32_t v) {
  if (s == -1) {
    vuln[static_cast<size_t>(h)] = {v, v};
  } else {
    vuln[static_cast<size_t>(h)][static_cast<size_t>(s)] = v;
  }
  return 0;
}

void ResetFighters() {
  FigureSheet = nullptr;
  Opponents.clear();
}
