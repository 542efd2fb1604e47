#pragma once

// Set by the System page's OK step from the player's answer; the only thing
// that decides whether the tool saves.
extern bool SaveConfirmed;
