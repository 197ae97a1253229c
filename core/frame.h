// frame.h - the frame pacing that every mode's loop follows.
//
//     while (!leave) {
//         if (FrameDue()) {
//             ...keys, update, draw...
//             FinishFrame();      // LastFrameTick = now; FlipDisplay
//         }
//         EndPass();              // one window event, sleep 1 ms
//     }
//
// A frame is drawn only when strictly more than FramePeriod (12.5 ms) has passed since the
// last one; a slow machine draws fewer frames and never catches up. Main thread only.
#pragma once

bool FrameDue();
void FinishFrame();
void EndPass();
