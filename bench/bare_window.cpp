// The yardstick for the game's start-up and memory (bench/README.md), and,
// built with BARE_WINDOW_WITH_SDL_AUDIO, the same with SDL's audio started.
//
//     bare_window_bench WIDTH HEIGHT BAND_LEFT BAND_TOP BAND_WIDTH BAND_HEIGHT
#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QWidget>

#include <cstdlib>

#ifdef BARE_WINDOW_WITH_SDL_AUDIO
#include <SDL.h>

#include <cstdio>
#endif

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
#ifdef BARE_WINDOW_WITH_SDL_AUDIO
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    const int outputs = SDL_GetNumAudioDevices(0);
    // The driver SDL chose tells the benchmark whether a sound server was
    // within reach.
    const char* driver = SDL_GetCurrentAudioDriver();
    std::printf("sdl-audio-driver %s\nsdl-audio-outputs %d\n", driver != nullptr ? driver : "none",
                outputs);
#endif

    if (argc != 7) {
        return 2;
    }
    const auto number = [argv](int at) { return std::atoi(argv[at]); };
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(number(1), number(2));
    auto* label = new QLabel(QStringLiteral("Bare window"), &window);
    label->setGeometry(number(3), number(4), number(5), number(6));
    QPalette red = label->palette();
    red.setColor(QPalette::Window, Qt::red);
    label->setPalette(red);
    label->setAutoFillBackground(true);

    window.show();
    const int status = QApplication::exec();
#ifdef BARE_WINDOW_WITH_SDL_AUDIO
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
#endif
    return status;
}
