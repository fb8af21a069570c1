#pragma once

#include <vector>

// The game's sound effects, synthesised as mono 44.1 kHz samples peaking at about -1 dBFS.
namespace SoundEffects
{
constexpr int SAMPLE_RATE = 44100;

std::vector<float> MenuSelect();   // select.wav: a light tick as the menu pointer moves
std::vector<float> MenuConfirm();  // selected.wav: two rising chimes
std::vector<float> MenuBack();     // back.wav: two falling notes
std::vector<float> ScrollBlast();  // scroll.wav: a magical whoosh and boom that clears the room
std::vector<float> FireballCast(); // fire.wav: a fiery whoosh
std::vector<float> DoorOpen();     // open_door.wav: a heavy door grinding aside
std::vector<float> DoorClose();    // close_door.wav: the door thudding shut
std::vector<float> FireballHit();  // collision.wav: a fireball bursting on a wall
std::vector<float> Refusal();      // nope.wav: a low buzz for "you can't"
std::vector<float> PickUp();       // pick_up.wav: a bright arpeggio chime
std::vector<float> EnemyHurt();    // enemy_hit.wav: a deep grunt
std::vector<float> PlayerHurt();   // player_hit.wav: a pained cry and thump
} // namespace SoundEffects
