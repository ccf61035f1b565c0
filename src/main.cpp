// Arguments, data folder, the export commands (without a display), else the
// desktop program.
int main()
{
    return 0;
}
