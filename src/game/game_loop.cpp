// The loop of one level: walking, turning, the quit question, the outcome.
#include "app/frm_main.h"
#include "app/module1.h"
#include "puzzle/movement.h"
#include "ui/texts.h"

namespace tk {

namespace {

constexpr float kCell = static_cast<float>(kCellPx);
constexpr int kFrames = 10;
constexpr int kFrameMs = 20;

bool pressed(Platform& plat, int key) { return plat.GetAsyncKeyState(key) != 0; }

// Drawing stops once the window is on its way out: the surface may be gone.
bool canPaint(const frmMain& form) { return form.gfx != nullptr && !form.unloaded; }

// One level's play, split into its actions so each can stop at a close request.
class Play {
public:
    explicit Play(frmMain& form) : f(form), plat(form.plat) {}

    void run();

private:
    bool closing() const { return f.closeRequested; }
    void updateOnSource() { onSource = f.playerX == f.sourceX && f.playerY == f.sourceY; }
    void frameEnd();
    void step(std::int16_t code);
    void turn(std::int16_t code);
    void askToQuit();
    void showOutcome(PictureHandle picture, const char* sound);

    frmMain& f;
    Platform& plat;
    bool onSource = false;
};

void Play::frameEnd() {
    plat.PresentGame();
    plat.DoEvents();
    if (!closing()) plat.Sleep(kFrameMs);
}

void Play::step(std::int16_t code) {
    int dx = dirDx(code), dy = dirDy(code);
    int reverseDir = opposite(code);
    for (int s = 7; s <= 7 * kFrames; s += 7) {
        f.VykresliPole(f.playerX, f.playerY);
        f.VykresliPole(f.playerX + dx, f.playerY + dy);
        if (canPaint(f)) {
            f.gfx->DrawImageRect(f.images[slotPlayer], kCell * f.playerX + static_cast<float>(s * dx),
                                 kCell * f.playerY + static_cast<float>(s * dy), kCell, kCell);
        }
        frameEnd();
        if (closing()) return;
        // The opposite arrow sends the figure back from where it stands: the figure
        // now belongs to the cell it was heading for and walks back towards the other.
        if (f.detekujSmer() == reverseDir) {
            s = 7 * kFrames - s;
            f.playerX = static_cast<std::int16_t>(f.playerX + dx);
            f.playerY = static_cast<std::int16_t>(f.playerY + dy);
            dx = -dx;
            dy = -dy;
            reverseDir = opposite(reverseDir);
        }
    }
    f.playerX = static_cast<std::int16_t>(f.playerX + dx);
    f.playerY = static_cast<std::int16_t>(f.playerY + dy);
    updateOnSource();
}

void Play::turn(std::int16_t code) {
    const int px = f.playerX, py = f.playerY;
    const float cx = kCell * px + kCell / 2, cy = kCell * py + kCell / 2;
    do {
        f.makeSound("move");
        const char old = f.board(px, py);
        const bool pipe = isPipe(old);
        // While it turns the cell carries no pipe, so the water behind it drains at
        // once. A cell without a pipe (a level file may start the figure on floor or a
        // blank; the levels tool warns about it) keeps its letter and only the figure turns.
        if (pipe) {
            f.board(px, py) = kBlankTile;
            f.Vyhodnot();
        }
        const float sign = code == turnLeft ? -1.0f : 1.0f;
        const PictureHandle figure = f.images[code == turnLeft ? slotPlayerLeft : slotPlayerRight];
        const PictureHandle pipePicture =
            pipe ? f.images[(onSource ? wetBase : dryBase) + tileIndex(old)] : 0;
        for (int frame = 1; frame <= kFrames; ++frame) {
            const float angle = sign * 9.0f * static_cast<float>(frame);
            f.VykresliPole(px, py);
            if (canPaint(f)) {
                f.gfx->TranslateWorldTransform(cx, cy);
                f.gfx->RotateWorldTransform(angle);
                f.gfx->DrawImageRect(pipePicture, -kCell / 2, -kCell / 2, kCell, kCell);
                f.gfx->ResetWorldTransform();
                // The figure lags behind the pipe: two thirds of its angle.
                f.gfx->TranslateWorldTransform(cx, cy);
                f.gfx->RotateWorldTransform(angle / 3 * 2);
                f.gfx->DrawImageRect(figure, -kCell / 2, -kCell / 2, kCell, kCell);
                f.gfx->ResetWorldTransform();
            }
            frameEnd();
            if (closing()) {
                f.board(px, py) = old;
                return;
            }
        }
        f.board(px, py) = quarterTurn(old, code);
        code = f.detekujSmer();
    } while (code == turnLeft || code == turnRight);

    // The turned pictures reach up to 15 px into the four neighbours.
    f.VykresliPole(px, py);
    f.VykresliPole(px + 1, py);
    f.VykresliPole(px - 1, py);
    f.VykresliPole(px, py + 1);
    f.VykresliPole(px, py - 1);
    f.Vyhodnot();
}

void Play::askToQuit() {
    plat.EnableTimer(f.Timer1, false);
    Module1::flushKeys(plat);
    const std::string question = texts::quitQuestion(f.isCzech);
    for (Label& label : f.Label5) {
        label.Caption = question;
        label.Visible = true;
    }
    plat.PresentGame();

    // The answer is polled; nothing else runs meanwhile, so the clock stands still.
    // A close request counts as yes.
    bool yes = false;
    for (;;) {
        // All four keys are queried on every pass, so a stale press of one cannot
        // surface later.
        // Kept: N wins when both answers come in the same pass.
        const bool y = pressed(plat, vk::letter('Y'));
        const bool z = pressed(plat, vk::letter('Z'));
        const bool a = pressed(plat, vk::letter('A'));
        const bool n = pressed(plat, vk::letter('N'));
        if (n) break;
        if (y || z || a || closing()) {
            yes = true;
            break;
        }
    }

    if (yes) {
        f.screenMode = modeQuitLevel;
        return;
    }
    Module1::flushKeys(plat);
    plat.EnableTimer(f.Timer1, true);
    for (Label& label : f.Label5) label.Visible = false;
}

void Play::showOutcome(PictureHandle picture, const char* sound) {
    if (canPaint(f)) f.gfx->DrawImageRect(picture, 0, 0, kCell * kCols, kCell * kRows);
    f.makeSound(sound);
    plat.PresentGame();
    plat.Sleep(4000);
}

void Play::run() {
    f.screenMode = modePlaying;
    updateOnSource();
    Module1::flushKeys(plat);

    while (f.screenMode == modePlaying && !closing()) {
        plat.DoEvents();
        if (closing()) break;
        const std::int16_t code = f.detekujSmer();
        if (code == turnLeft || code == turnRight) {
            turn(code);
        } else if (code != dirNone && lzeTam(f.board, f.playerX, f.playerY, code)) {
            step(code);
        }
        if (closing()) break;
        plat.PresentGame();
        if (pressed(plat, vk::Escape)) askToQuit();
        if (closing()) break;
        plat.Sleep(kFrameMs);
        // Last writer wins within a pass: a clock at 0 beats a solving turn and a
        // confirmed quit alike.
        if (f.timeLeft == 0) f.screenMode = modeLost;
    }

    plat.EnableTimer(f.Timer1, false);
    // Closing the window leaves the level as a confirmed quit does, whatever else the
    // pass decided, so the play sequence stops and the program can unload.
    if (closing()) f.screenMode = modeQuitLevel;
    switch (f.screenMode) {
        case modeQuitLevel:
            if (!closing()) f.makeSound("menu");
            f.picGame.Visible = false;
            f.Label4.Visible = false;
            for (Label& label : f.Label5) label.Visible = false;
            f.screenMode = modeMainMenu;
            return;
        case modeWon:
            showOutcome(f.images[slotWon], "winner");
            return;
        case modeLost:
            showOutcome(f.images[slotLost], "looser");
            return;
        default:
            return;
    }
}

}  // namespace

void frmMain::Hra() { Play(*this).run(); }

std::int16_t frmMain::detekujSmer() {
    // Every key is queried on every call (each query clears that key's latch); the
    // last pressed arrow in the order Left, Up, Right, Down wins.
    std::int16_t code = dirNone;
    if (pressed(plat, vk::Left)) code = dirLeft;
    if (pressed(plat, vk::Up)) code = dirUp;
    if (pressed(plat, vk::Right)) code = dirRight;
    if (pressed(plat, vk::Down)) code = dirDown;
    const bool ctrl = pressed(plat, vk::Control);
    const bool space = pressed(plat, vk::Space);
    const bool shift = pressed(plat, vk::Shift);
    if (ctrl || space || shift) {
        if (code == dirLeft) code = turnLeft;
        else if (code == dirRight) code = turnRight;
    }
    return code;
}

}  // namespace tk
