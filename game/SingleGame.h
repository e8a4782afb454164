// One game per user at a time. A second start brings the running game's
// window to the front and ends; when the running game does not answer, it
// says so in a message first. The judge and the solver never ask: they
// keep no record and no autosave of the player's.
#pragma once

#include <memory>

#include "framework/SingleInstance.h"

// The lock for this user's game, held for as long as the result lives
// (keep it until the framework has written its files at exit); empty when
// another game of this user runs and this start should end.
std::unique_ptr<TSingleInstance> ClaimSingleGame();

// The text of the message, in Windows-1251.
std::string GameRunsAlreadyText();
