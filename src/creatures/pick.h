// The creature under the pointer: highlight it and give it the selected skill.
#pragma once

void pickCreature();
