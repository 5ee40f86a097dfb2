// vantor_add_fuzz names its corpus replay driver relative to the folder it is called from;
// this brings the shared driver into this folder.
#include "../replay_main.cpp"
