"""The program when the world is unkind: F11 pressed over and over, and a component call that
hangs on a window that stopped answering, cancelled or cut short by closing the program."""

import unittest

import harness
import faults


class FaultsTest(unittest.TestCase):
    def setUp(self):
        self.wine = harness.SESSION
        self.wine.stop_programs()

    def tearDown(self):
        harness.screenshot_if_failed(self)
        self.wine.stop_programs()
        self.wine.register_component()  # the real one again, should a test have left the stand-in

    def test_fifty_quick_f11_presses_play_one_run_at_a_time_and_leave_no_key_down(self):
        result = faults.f11_presses(self.wine, 50)
        self.assertTrue(result["alive"], result)
        self.assertTrue(result["settled"], result)
        self.assertEqual(result["overlaps"], 0, result)
        self.assertGreater(result["actions"], 0, result)
        self.assertEqual(result["keys down"], [], result)

    def test_f11_during_a_hung_call_cancels_at_once_and_the_window_answers(self):
        result = faults.cancel_during_hung_call(self.wine)
        self.assertEqual(result["caption"], faults.IDLE, result)
        self.assertIsNotNone(result["cancel ms"], result)
        self.assertLess(result["cancel ms"], 500, result)  # a frozen window never answers at all
        self.assertTrue(result["answers"], result)

    def test_a_hung_call_holds_neither_the_window_nor_the_waits_of_the_run_after_it(self):
        result = faults.run_after_hung_call(self.wine)
        self.assertTrue(result["F9 answered"], result)
        self.assertTrue(result["run button answered"], result)
        self.assertTrue(result["clicked"], result)
        self.assertIsNotNone(result["gap ms"], result)
        self.assertGreaterEqual(result["gap ms"], 197, result)  # 200 ms less the allowance

    def test_closing_during_a_hung_call_ends_the_program_at_once(self):
        result = faults.exit_during_hung_call(self.wine)
        self.assertEqual(result["exit code"], 0, result)
        self.assertLess(result["exit seconds"], 3, result)
        self.assertFalse(result["crash report"], result)


if __name__ == "__main__":
    unittest.main()
