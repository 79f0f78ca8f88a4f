// The creature under the pointer: highlight it and give it the selected skill.
#pragma once

void pickCreature();
// A new level: no creature counts as lit by the press that may still be held.
void forgetFusesLitByPress();
