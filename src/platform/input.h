// Polled input (keys, mouse, wheel, close requests), the millisecond clock and the
// random numbers. Key codes are the desktop's virtual key codes: Enter 13, Escape 27,
// Backspace 8, Space 32, digits 48-57, letters 65-90, keypad 96-105, shifts 160/161,
// minus 189; mouse buttons 1 left, 2 right, 3 middle.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

constexpr int kKeyBackspace = 8;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;

int KeyDown(int key);
int KeyHit(int key);
int MouseDown(int button);
int MouseHit(int button);
int MouseX();
int MouseY();
int MouseZ();
int MouseZSpeed();
void FlushKeys();
void FlushMouse();
void MoveMouse(int x, int y);
// Next typed character from the queue, 0 when empty.
int GetChar();

// Input events, fed by a backend or an input script.
void PostKeyEvent(int key, bool down);
void PostMouseButton(int button, bool down);
void PostMouseMove(int x, int y);
void PostWheel(int dz);
void PostChar(int code);
void PostCloseRequest();
// The page went out of sight or lost focus: a level in play should pause. Not recorded:
// a replay has no page to leave.
void PostPauseRequest();
int TakePauseRequest();
// Runs the backend's event pump once per presented frame, then posts the input script's
// events of the frame, then runs the in-process input source.
void PumpInput();
bool InputPumpedThisFrame();
// An in-process player (the autoplay bot): called once a frame with the frame number,
// after the window's and the script's events; it may only post events. Empty to remove.
void SetInputSource(std::function<void(int64_t frame)> source);
void ResetInput();
int TakeCloseRequest();

// Time.
uint32_t MilliSecs();
void Delay(int ms);
// Headless runs use a virtual clock that advances one frame time per Flip.
void UseVirtualClock(bool enable);
void AdvanceVirtualClock(double ms);

// Random numbers (Park-Miller minimal standard).
void SeedRnd(int32_t seed);
int32_t RndSeed();
double Rnd(double min = 1, double max = 0);
int Rand(int min, int max = 1);
// Seed for every seeding "from the clock": the fixed seed when one was given, else the clock.
int32_t ClockSeed();
void SetFixedSeed(bool fixed, int32_t seed);
