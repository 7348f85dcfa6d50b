// Changing the process's current directory, drive included (Windows only).
#pragma once

// Makes path the current directory; when it starts with a drive letter and
// ':', that drive first becomes the current drive. 0 on success, -1 on
// failure, in which case the current directory is as it was before.
int change_dir(const char* path);

// Makes the folder of the program at program_path (cut back to that folder in place) the
// current directory, as change_dir does.
int change_to_folder_of(char* program_path);

// Makes the running program's own directory the current directory, as both programs do
// when they start. Nothing changes when the program's path cannot be read whole.
void change_to_program_dir();
