#pragma once

struct Flight;

// Fills Formations 0..5 and sets MaxFormation to 5. Formation 0 stays in the table
// although the launcher's draw never picks it, so indices match the program table.
void BuildFormations(Flight& flight);
