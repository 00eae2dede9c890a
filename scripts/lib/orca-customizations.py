"""Orca's customizations for scripts/lib/hear-with-orca.py, loaded by Orca from $XDG_DATA_HOME/orca/ as it
starts. Orca needs no speech server then: it speaks into nothing, and still writes every utterance into its
debug log, which is written line by line, so that it can be read while Orca runs."""
import orca.debug
import orca.speech

orca.speech.init = lambda: None
if orca.debug.debugFile is not None:
    orca.debug.debugFile.reconfigure(line_buffering=True)
