// The page's game without the page: a Game against a player named as the page
// names it ("level:1", "exact:300"), seeded with the given clock value, the
// person's moves read from standard input as a record writes them ("5-5 pass
// 4-4"). Prints the game's record, which the browser tests hold the page's
// games of the strong player's levels to.

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>

#include "game/notation.h"
#include "play/game.h"
#include "players/registry.h"

namespace {

void PlayComputerWhileItsTurn(nanaren::Game& game) {
    nanaren::SearchObserver quiet;
    while (game.CurrentState() == nanaren::Game::State::ComputerToMove)
        game.PlayComputer(quiet);
}

}  // namespace

int main(int argc, char** argv) {
    const auto choice = argc == 4 ? nanaren::ParsePlayer(argv[2]) : std::nullopt;
    if (!choice) {
        std::cerr << "usage: nanaren_reference CLOCK PLAYER black|white < moves" << std::endl;
        return EXIT_FAILURE;
    }
    const auto clock = static_cast<std::time_t>(std::stoll(argv[1]));
    const int human = std::string(argv[3]) == "black" ? nanaren::Black : nanaren::White;
    nanaren::Game game(human, clock, nanaren::MakePlayer(*choice));
    PlayComputerWhileItsTurn(game);
    std::string token;
    while (!game.IsOver() && std::cin >> token) {
        // Anything that is no move, as a pass.
        game.Play(nanaren::ParseMove(token).value_or(nanaren::Pass));
        PlayComputerWhileItsTurn(game);
    }
    std::cout << game.GetPosition().Record() << std::endl;
    return 0;
}
