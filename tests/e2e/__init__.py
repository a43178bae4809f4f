"""End-to-end runs of the real game window under a private virtual X server:
the harness (harness/) and the scenarios (scenarios/), run one at a time with
`python3 -m e2e --game build/velmora --scenario NAME` from the tests folder."""
